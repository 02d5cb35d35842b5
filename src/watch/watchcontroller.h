#pragma once

#include <QObject>

class BrowserController;
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
    void startReplyCheck();

    SizeRecorder &sizeRecorder() const { return *m_recorder; }
    ReplyCheckRun &replyCheck() const { return *m_run; }

Q_SIGNALS:
    // A text for a status bar panel (1 to 3).
    void statusText(int panel, const QString &text);

private:
    void connectControls();
    void connectModel();
    void applyTab(int index);
    void openPost(const QString &url);
    void showError(const QString &text);

    PostsPanel &m_panel;
    WatchedPostList &m_posts;
    BrowserController &m_browser;
    SizeRecorder *m_recorder = nullptr;
    ReplyCheckRun *m_run = nullptr;
};
