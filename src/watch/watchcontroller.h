#pragma once

#include <QObject>
#include <QTimer>
#include <QVariant>

class BrowserController;
class BrowserCookieJar;
class PostsPanel;
class WatchedPostList;
class ReplyCheckRun;
class SizeRecorder;

// Wires the "Your Posts" page: watching, removing, the two tabs, the reply check.
class WatchController : public QObject
{
    Q_OBJECT
public:
    WatchController(PostsPanel &panel, WatchedPostList &posts, BrowserController &browser, QObject *parent = nullptr);

    // Shows the watched posts (after start-up has read them).
    void showPosts();
    // "Watch This Post": watches the page the browser shows and measures it.
    void watchCurrentPage();
    void removeSelectedWatch();
    // 0 = "Show All", 1 = "New Replies ".
    void selectPostsTab(int index);
    // Starts a reply check; a check already running is never started twice.
    void startReplyCheck();
    // The check button: starts a check, or stops the one under way.
    void startOrStopReplyCheck();
    // Checks for replies every given number of minutes; 0 turns the automatic check off.
    void setAutoCheckMinutes(int minutes);
    int autoCheckMinutes() const { return m_autoCheck.isActive() ? m_autoCheck.interval() / 60000 : 0; }
    // The cookies the probes send; the browser's cookie store feeds it.
    BrowserCookieJar &cookieJar() const { return *m_cookieJar; }

    SizeRecorder &sizeRecorder() const { return *m_recorder; }
    ReplyCheckRun &replyCheck() const { return *m_run; }

Q_SIGNALS:
    // A text for a status bar panel (1 to 3).
    void statusText(int panel, const QString &text);
    // A reply check's progress, posts done of all; running is false once it ended or stopped.
    void replyCheckProgress(int done, int total, bool running);
    // A reply check finished and found new replies in this many threads.
    void newRepliesFound(int count);

private:
    void connectControls();
    void connectModel();
    void applyTab(int index);
    void openPost(const QString &url);
    void showError(const QString &text);
    void connectReplyCheck();
    void markFailedPost(const QString &url, const QString &reason);
    void markPost(const QString &url, int icon, const QString &text, const QVariant &reason);
    void clearFailureMarks();
    void showRunState(bool running);

    PostsPanel &m_panel;
    WatchedPostList &m_posts;
    BrowserController &m_browser;
    SizeRecorder *m_recorder = nullptr;
    ReplyCheckRun *m_run = nullptr;
    BrowserCookieJar *m_cookieJar = nullptr;
    QTimer m_autoCheck;
};
