#pragma once

#include "watch/pagesizeprobe.h"

#include <QObject>

class WatchedPostList;

// One pass of "Check for new replies": measures every watched post in turn on its own probe and
// reports each one whose page grew by more than 500 bytes since it was watched. Posts are
// followed through removals made during the run, so a post is only ever compared with its own
// stored size.
class ReplyCheckRun : public QObject
{
    Q_OBJECT
public:
    explicit ReplyCheckRun(WatchedPostList &posts, QObject *parent = nullptr);

    // Starts from the first post; a run in progress is abandoned.
    void start();
    bool isRunning() const { return m_running; }
    int newReplies() const { return m_newReplies; }

    PageSizeProbe &probe() { return m_probe; }

    // A page that grew by more than this many bytes has new replies.
    static constexpr qint64 threshold = 500;
    static bool hasGrown(qint64 stored, qint64 measured);

Q_SIGNALS:
    // The run's progress and result (status panel 1).
    void statusText(const QString &text);
    // A new run began: the list of posts with new replies starts empty.
    void cleared();
    void newReply(const QString &url);
    // A probe failed and ended the run; the text for the "Error" box.
    void failed(const QString &boxText);
    void finished(int newReplies);

private:
    void advance();
    void onMeasured(qint64 measured);
    void onFailed(const QString &boxText);
    void onPostRemoved(int index);

    WatchedPostList &m_posts;
    PageSizeProbe m_probe;
    int m_current = 0;
    int m_newReplies = 0;
    bool m_running = false;
    bool m_currentRemoved = false;
};
