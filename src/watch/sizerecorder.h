#pragma once

#include "watch/pagesizeprobe.h"

#include <QObject>
#include <QStringList>

class WatchedPostList;

// Measures newly watched and re-watched posts one after another on its own probe and stores each
// size with the post it was measured for, found by address when the measurement arrives. A watch
// while a measurement is running waits its turn instead of abandoning the one in progress.
class SizeRecorder : public QObject
{
    Q_OBJECT
public:
    explicit SizeRecorder(WatchedPostList &posts, QObject *parent = nullptr);

    void measure(const QString &url);

    PageSizeProbe &probe() { return m_probe; }
    bool isBusy() const { return m_probe.isRunning(); }
    QStringList waiting() const { return m_queue; }

Q_SIGNALS:
    // A size was measured (and stored, when the post is still watched).
    void recorded(const QString &url, qint64 size);
    // A measurement failed; the text for the "Error" box.
    void failed(const QString &boxText);

private:
    void onFinished(qint64 size);
    void onFailed(const QString &boxText);
    void startNext();

    WatchedPostList &m_posts;
    PageSizeProbe m_probe;
    QStringList m_queue;
};
