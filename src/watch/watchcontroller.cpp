#include "watch/watchcontroller.h"

#include "core/branding.h"
#include "core/settingsstore.h"
#include "ui/command.h"
#include "ui/listrows.h"
#include "ui/messageboxes.h"
#include "watch/browsercookiejar.h"
#include "watch/failureicons.h"
#include "watch/newreplylist.h"
#include "watch/postspanel.h"
#include "watch/replycheckrun.h"
#include "watch/replyschedule.h"
#include "watch/sizerecorder.h"
#include "watch/threadaddress.h"
#include "watch/threadbrowser.h"
#include "watch/watchedpostlist.h"

#include <QAction>
#include <QActionGroup>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>

WatchController::WatchController(PostsPanel &panel, WatchedPostList &posts, ThreadBrowser &browser,
                                 BrowserCookieJar &cookies, SettingsStore &settings, MessageBoxes &boxes,
                                 QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_posts(posts)
    , m_browser(browser)
    , m_cookieJar(cookies)
    , m_settings(settings)
    , m_boxes(boxes)
    , m_recorder(new SizeRecorder(posts, this))
    , m_run(new ReplyCheckRun(posts, this))
    , m_newReplies(new NewReplyList(this))
{
    createActions();
    createAutoCheckChoices();
    connectControls();
    connectModel();
    connectReplyCheck();
}

void WatchController::createActions()
{
    m_watchAction = makeCommand(this, tr("Watch This Post"));
    m_removeWatchAction = makeCommand(this, tr("Remove Watch"));
    m_checkRepliesAction = makeCommand(this, tr("&Check Replies"), QKeySequence(Qt::CTRL | Qt::Key_R));
    m_checkOrStopAction = makeCommand(this, tr("Check for new replies"));
    m_showAllAction = makeCommand(this, tr("&All posts"));
    m_showRepliesAction = makeCommand(this, tr("&Replies"));
    connect(m_watchAction, &QAction::triggered, this, &WatchController::watchCurrentPage);
    connect(m_removeWatchAction, &QAction::triggered, this, &WatchController::removeSelectedWatch);
    connect(m_checkRepliesAction, &QAction::triggered, this, [this] {
        selectPostsTab(PostsView::NewReplies);
        startReplyCheck();
    });
    connect(m_checkOrStopAction, &QAction::triggered, this, &WatchController::startOrStopReplyCheck);
    connect(m_showAllAction, &QAction::triggered, this, [this] { selectPostsTab(PostsView::ShowAll); });
    connect(m_showRepliesAction, &QAction::triggered, this, [this] { selectPostsTab(PostsView::NewReplies); });
    triggerOnClick(m_panel.watchButton, m_watchAction);
    triggerOnClick(m_panel.removeWatchButton, m_removeWatchAction);
    triggerOnClick(m_panel.checkRepliesButton, m_checkOrStopAction);
}

void WatchController::createAutoCheckChoices()
{
    m_autoCheckChoices = new QActionGroup(this);
    QList<int> choices = ReplySchedule::offeredMinutes();
    choices.prepend(0);
    for (const int minutes : choices) {
        QAction *action =
            makeCommand(m_autoCheckChoices, minutes == 0 ? tr("&Off") : tr("Every %1 minutes").arg(minutes));
        action->setCheckable(true);
        action->setData(minutes);
        m_autoCheckChoices->addAction(action);
        connect(action, &QAction::triggered, this, [this, minutes] {
            setAutoCheckMinutes(minutes);
            m_settings.write(Settings::autoCheckMinutes, minutes);
            Q_EMIT autoCheckChosen(minutes);
        });
    }
    setAutoCheckMinutes(0);
}

QAction *WatchController::viewAction(PostsView view) const
{
    return view == PostsView::ShowAll ? m_showAllAction : m_showRepliesAction;
}

void WatchController::connectControls()
{
    connect(m_panel.postsTabs, &QTabBar::currentChanged, this, [this] { applyView(currentView()); });
    auto *posts = new FailureIcons(m_panel.style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                   m_panel.style()->standardIcon(QStyle::SP_MessageBoxInformation), this);
    posts->setSourceModel(&m_posts);
    m_panel.postList->setModel(posts);
    m_panel.newRepliesList->setModel(m_newReplies);
    m_panel.newRepliesList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (QListView *list : {m_panel.postList, m_panel.newRepliesList}) {
        auto *rows = new ListRows(list);
        const auto urlAt = [list](int row) { return list->model()->index(row, 0).data().toString(); };
        connect(rows, &ListRows::rowChosen, this, [this, list](int row) {
            // A row with a mark (not checked, a note, how many new posts) says it beside its address.
            if (row >= 0 && row < list->model()->rowCount())
                Q_EMIT statusText(StatusPanel::Activity,
                                  list->model()->index(row, 0).data(Qt::StatusTipRole).toString());
        });
        connect(rows, &ListRows::rowActivated, this, [this, list, urlAt](int row) {
            if (row < 0 || row >= list->model()->rowCount())
                return;
            // A row with new replies opens where they are shown: its first new post, its last page.
            openPost(urlAt(row), list == m_panel.newRepliesList ? m_newReplies->openingAt(row) : urlAt(row));
        });
    }
}

void WatchController::connectModel()
{
    WatchedPostList &posts = m_posts;
    connect(&posts, &WatchedPostList::saveFailed, this, &WatchController::showError);

    PageSizeProbe *probe = &m_recorder->probe();
    connect(probe, &PageSizeProbe::activityText, this,
            [this](const QString &text) { Q_EMIT statusText(StatusPanel::Activity, text); });
    connect(probe, &PageSizeProbe::progressText, this,
            [this](const QString &text) { Q_EMIT statusText(StatusPanel::Progress, text); });
    connect(m_run, &ReplyCheckRun::activityText, this,
            [this](const QString &text) { Q_EMIT statusText(StatusPanel::Activity, text); });
    connect(m_run, &ReplyCheckRun::progressText, this,
            [this](const QString &text) { Q_EMIT statusText(StatusPanel::Progress, text); });
    connect(m_recorder, &SizeRecorder::recorded, this,
            [this] { Q_EMIT statusText(StatusPanel::Activity, tr("Response completed")); });
    connect(m_recorder, &SizeRecorder::failed, this, &WatchController::showError);

    connect(m_run, &ReplyCheckRun::statusText, this,
            [this](const QString &text) { Q_EMIT statusText(StatusPanel::State, text); });
    connect(m_run, &ReplyCheckRun::cleared, m_newReplies, &NewReplyList::clear);
    connect(m_run, &ReplyCheckRun::newReply, m_newReplies, &NewReplyList::add);
    connect(m_run, &ReplyCheckRun::newReplyDetail, m_newReplies, &NewReplyList::setDetail);
    connect(m_run, &ReplyCheckRun::newReplyOpensAt, m_newReplies, &NewReplyList::setOpening);
    connect(m_run, &ReplyCheckRun::failed, this, &WatchController::showError);
}

void WatchController::watchCurrentPage()
{
    // The page may name its thread's address itself, in its head.
    QPointer<WatchController> self(this);
    m_browser.readPageHead([self](const QString &pageUrl, const QByteArray &head) {
        if (self)
            self->watchPage(pageUrl, pageThreadAddress(pageUrl, head));
    });
}

void WatchController::watchPage(const QString &pageUrl, const QString &threadUrl)
{
    // One row per thread: posting again in it re-measures its row, whose baseline then holds the
    // new post.
    int joined = 0;
    const int index = m_posts.watchThread(pageUrl, threadUrl, &joined);
    if (index < 0)
        return;
    if (joined > 1)
        Q_EMIT statusText(StatusPanel::Activity,
                          tr("%1 rows of this thread are one now: %2").arg(joined).arg(threadUrl));
    m_recorder->measure(m_posts.at(index).url);
}

void WatchController::removeSelectedWatch()
{
    const int row = ListRows::chosenRow(m_panel.postList);
    if (row < 0 || row >= m_posts.count())
        return;
    const QString url = m_posts.at(row).url;
    m_boxes.askYesNo(m_panel.window(), branding().programName, tr("Stop watching this post?\n\n%1").arg(url), this,
                     [this, url] {
                         // Found again by its address: the list may have changed while the question was open.
                         const int index = m_posts.indexOf(url);
                         if (index >= 0)
                             m_posts.removeAt(index);
                     });
}

void WatchController::selectPostsTab(PostsView view)
{
    m_panel.postsTabs->setCurrentIndex(m_panel.tabOf(view));
    // Selecting the tab that is already current emits nothing; the controls must match anyway.
    applyView(currentView());
}

PostsView WatchController::currentView() const
{
    return m_panel.viewOfTab(m_panel.postsTabs->currentIndex());
}

void WatchController::applyView(PostsView view)
{
    const bool showAll = view == PostsView::ShowAll;
    m_panel.postList->setVisible(showAll);
    m_panel.watchButton->setVisible(showAll);
    m_panel.removeWatchButton->setVisible(showAll);
    m_panel.checkRepliesButton->setVisible(!showAll);
    m_panel.newRepliesList->setVisible(!showAll);
}

void WatchController::openPost(const QString &url, const QString &opening)
{
    // The user sees the thread as it is now, whatever message was inserted last: that is its new
    // baseline. The post check ends here; pages opened from here on (a reply form that reviews the
    // user's earlier post) are no new thread.
    m_browser.openThread(opening);
    m_recorder->measure(url);
}

void WatchController::startReplyCheck()
{
    if (!m_run->isRunning())
        m_run->start();
}

void WatchController::showError(const QString &text)
{
    m_boxes.showMessage(m_panel.window(), tr("Error"), text, QMessageBox::Warning);
}

void WatchController::connectReplyCheck()
{
    m_run->probeSettings().cookieJar = &m_cookieJar;
    m_recorder->probe().setCookieJar(&m_cookieJar);

    m_autoCheck.setObjectName(QStringLiteral("autoCheckTimer"));
    connect(&m_autoCheck, &QTimer::timeout, this, [this] {
        if (!m_run->isRunning())
            m_run->start(ReplyCheckRun::Trigger::Automatic);
    });

    connect(m_run, &ReplyCheckRun::cleared, this, [this] {
        m_posts.clearFailures();
        showRunState(true);
    });
    connect(m_run, &ReplyCheckRun::progress, this,
            [this](int done, int total) { Q_EMIT replyCheckProgress(done, total, true); });
    connect(m_run, &ReplyCheckRun::postFailed, this, [this](const QString &url, const QString &reason) {
        m_posts.markFailed(url, reason);
        Q_EMIT statusText(StatusPanel::Activity, tr("%1 - Not checked: %2").arg(url, reason));
    });
    connect(m_run, &ReplyCheckRun::postNoted, &m_posts, &WatchedPostList::markNoted);
    connect(m_run, &ReplyCheckRun::finished, this, [this](int newReplies) {
        showRunState(false);
        if (newReplies > 0)
            Q_EMIT newRepliesFound(newReplies);
    });
    connect(m_run, &ReplyCheckRun::stopped, this, [this] { showRunState(false); });
}

void WatchController::startOrStopReplyCheck()
{
    if (m_run->isRunning())
        m_run->stop();
    else
        m_run->start();
}

void WatchController::setAutoCheckMinutes(int minutes)
{
    for (QAction *choice : m_autoCheckChoices->actions())
        choice->setChecked(choice->data().toInt() == qMax(minutes, 0));
    if (minutes <= 0) {
        m_autoCheck.stop();
        return;
    }
    m_autoCheck.start(minutes * 60000);
}

void WatchController::showRunState(bool running)
{
    // The same button stops a check under way.
    m_panel.checkRepliesButton->setText(running ? tr("Stop checking") : tr("Check for new replies"));
    if (!running)
        Q_EMIT replyCheckProgress(m_run->done(), m_run->total(), false);
}

void WatchController::restoreState()
{
    const int minutes = m_settings.read(Settings::autoCheckMinutes);
    // Anything not offered (a hand-edited value) is off.
    setAutoCheckMinutes(ReplySchedule::offeredMinutes().contains(minutes) ? minutes : 0);
}
