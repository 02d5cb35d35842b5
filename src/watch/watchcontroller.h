#pragma once

#include "core/statustext.h"
#include "watch/postsview.h"

#include <QObject>
#include <QTimer>

class BrowserCookieJar;
class MessageBoxes;
class PostsPanel;
class QAction;
class QActionGroup;
class NewReplyList;
class WatchedPostList;
class ReplyCheckRun;
class SettingsStore;
class SizeRecorder;
class ThreadBrowser;

// Wires the "Your Posts" page: watching, removing, the two tabs, the reply check.
class WatchController : public QObject
{
    Q_OBJECT
public:
    // The probes send the cookies in cookies; the automatic check's interval is kept in settings.
    WatchController(PostsPanel &panel, WatchedPostList &posts, ThreadBrowser &browser, BrowserCookieJar &cookies,
                    SettingsStore &settings, MessageBoxes &boxes, QObject *parent = nullptr);

    // "Watch This Post": watches the thread of the page the browser shows, under the address the
    // page gives it, and measures it.
    void watchCurrentPage();
    void removeSelectedWatch();
    // Shows one view of the page, as a click on its tab does.
    void selectPostsTab(PostsView view);
    PostsView currentView() const;
    // Starts a reply check; a check already running is never started twice.
    void startReplyCheck();
    // The check button: starts a check, or stops the one under way.
    void startOrStopReplyCheck();
    // Checks for replies every given number of minutes; 0 turns the automatic check off. The
    // matching choice of autoCheckChoices() is ticked.
    void setAutoCheckMinutes(int minutes);
    // The automatic check as the user last chose it; every choice is stored at once.
    void restoreState();
    int autoCheckMinutes() const { return m_autoCheck.isActive() ? m_autoCheck.interval() / 60000 : 0; }
    // The cookies the probes send; the browser's cookie store feeds it.
    BrowserCookieJar &cookieJar() const { return m_cookieJar; }

    // The page's commands; the menus place them, the page's buttons trigger them.
    QAction *watchAction() const { return m_watchAction; }
    QAction *removeWatchAction() const { return m_removeWatchAction; }
    // Tools > Check Replies: shows the new replies and starts a check.
    QAction *checkRepliesAction() const { return m_checkRepliesAction; }
    // The page's check button: starts a check, or stops the one under way.
    QAction *checkOrStopAction() const { return m_checkOrStopAction; }
    QAction *viewAction(PostsView view) const;
    // "Off" and every offered interval, one of them ticked.
    QActionGroup *autoCheckChoices() const { return m_autoCheckChoices; }

    // The posts the last reply check found grown, as lstNew shows them.
    NewReplyList &newReplies() const { return *m_newReplies; }

    SizeRecorder &sizeRecorder() const { return *m_recorder; }
    ReplyCheckRun &replyCheck() const { return *m_run; }

Q_SIGNALS:
    // The user chose an interval for the automatic check (0 = off).
    void autoCheckChosen(int minutes);
    // A text for a status bar panel; life says whether it clears itself.
    void statusText(StatusPanel panel, const QString &text, StatusLife life = StatusLife::Stays);
    // A reply check's progress, posts done of all; running is false once it ended or stopped.
    void replyCheckProgress(int done, int total, bool running);
    // A reply check finished and found new replies in this many threads.
    void newRepliesFound(int count);

private:
    void createActions();
    void createAutoCheckChoices();
    void connectControls();
    void connectModel();
    void applyView(PostsView view);
    // Measures the row url again and shows it at opening (its first new post, its last page).
    void openPost(const QString &url, const QString &opening);
    void watchPage(const QString &pageUrl, const QString &threadUrl);
    void showError(const QString &text);
    void connectReplyCheck();
    void showRunState(bool running);

    PostsPanel &m_panel;
    WatchedPostList &m_posts;
    ThreadBrowser &m_browser;
    BrowserCookieJar &m_cookieJar;
    SettingsStore &m_settings;
    MessageBoxes &m_boxes;
    SizeRecorder *m_recorder = nullptr;
    ReplyCheckRun *m_run = nullptr;
    NewReplyList *m_newReplies = nullptr;
    QTimer m_autoCheck;
    QAction *m_watchAction = nullptr;
    QAction *m_removeWatchAction = nullptr;
    QAction *m_checkRepliesAction = nullptr;
    QAction *m_checkOrStopAction = nullptr;
    QAction *m_showAllAction = nullptr;
    QAction *m_showRepliesAction = nullptr;
    QActionGroup *m_autoCheckChoices = nullptr;
};
