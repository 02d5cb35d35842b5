#include "watch/watchcontroller.h"

#include "browser/browsercontroller.h"
#include "core/branding.h"
#include "ui/listrows.h"
#include "ui/messagebox.h"
#include "watch/browsercookiejar.h"
#include "watch/postspanel.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"
#include "watch/watchedpostlist.h"

#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>

WatchController::WatchController(PostsPanel &panel, WatchedPostList &posts, BrowserController &browser, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_posts(posts)
    , m_browser(browser)
    , m_recorder(new SizeRecorder(posts, this))
    , m_run(new ReplyCheckRun(posts, this))
{
    connectControls();
    connectModel();
    connectReplyCheck();
}

void WatchController::connectControls()
{
    connect(m_panel.watchButton, &QPushButton::clicked, this, &WatchController::watchCurrentPage);
    connect(m_panel.removeWatchButton, &QPushButton::clicked, this, &WatchController::removeSelectedWatch);
    connect(m_panel.checkRepliesButton, &QPushButton::clicked, this, &WatchController::startOrStopReplyCheck);
    connect(m_panel.postsTabs, &QTabBar::currentChanged, this, &WatchController::applyTab);
    for (QListWidget *list : {m_panel.postList, m_panel.newRepliesList}) {
        auto *rows = new ListRows(list);
        connect(rows, &ListRows::rowChosen, this, [this, list](int row) {
            // A row with a mark (not checked, a note, how many new posts) says it beside its address.
            if (const QListWidgetItem *item = list->item(row))
                Q_EMIT statusText(2, item->statusTip().isEmpty() ? item->text() : item->statusTip());
        });
        connect(rows, &ListRows::rowActivated, this, [this, list](int row) {
            if (const QListWidgetItem *item = list->item(row))
                openPost(item->text());
        });
    }
}

void WatchController::connectModel()
{
    WatchedPostList &posts = m_posts;
    connect(&posts, &WatchedPostList::postAdded, this,
            [this](int index) { m_panel.postList->insertItem(index, m_posts.at(index).url); });
    connect(&posts, &WatchedPostList::postRemoved, this,
            [this](int index) { delete m_panel.postList->takeItem(index); });
    connect(&posts, &WatchedPostList::saveFailed, this, &WatchController::showError);

    PageSizeProbe *probe = &m_recorder->probe();
    connect(probe, &PageSizeProbe::activityText, this, [this](const QString &text) { Q_EMIT statusText(2, text); });
    connect(probe, &PageSizeProbe::progressText, this, [this](const QString &text) { Q_EMIT statusText(3, text); });
    connect(m_run, &ReplyCheckRun::activityText, this, [this](const QString &text) { Q_EMIT statusText(2, text); });
    connect(m_run, &ReplyCheckRun::progressText, this, [this](const QString &text) { Q_EMIT statusText(3, text); });
    connect(m_recorder, &SizeRecorder::recorded, this,
            [this] { Q_EMIT statusText(2, QStringLiteral("Response completed")); });
    connect(m_recorder, &SizeRecorder::failed, this, &WatchController::showError);

    connect(m_run, &ReplyCheckRun::statusText, this, [this](const QString &text) { Q_EMIT statusText(1, text); });
    connect(m_run, &ReplyCheckRun::cleared, m_panel.newRepliesList, &QListWidget::clear);
    connect(m_run, &ReplyCheckRun::newReply, this,
            [this](const QString &url) { m_panel.newRepliesList->addItem(url); });
    connect(m_run, &ReplyCheckRun::newReplyDetail, this, [this](const QString &url, const QString &detail) {
        QListWidget *list = m_panel.newRepliesList;
        if (QListWidgetItem *item = list->count() > 0 ? list->item(list->count() - 1) : nullptr) {
            item->setToolTip(detail);
            item->setStatusTip(url + QStringLiteral(" - ") + detail);
        }
    });
    connect(m_run, &ReplyCheckRun::failed, this, &WatchController::showError);
}

void WatchController::showPosts()
{
    m_panel.postList->clear();
    for (const WatchedPost &post : m_posts.posts())
        m_panel.postList->addItem(post.url);
}

void WatchController::watchCurrentPage()
{
    // One row per thread: posting again in it re-measures its row.
    const int index = m_posts.watchThread(m_browser.currentUrl().toString());
    if (index < 0)
        return;
    m_recorder->measure(m_posts.at(index).url);
}

void WatchController::removeSelectedWatch()
{
    const int row = ListRows::chosenRow(m_panel.postList);
    if (row < 0 || row >= m_posts.count())
        return;
    const QString url = m_posts.at(row).url;
    askYesNo(m_panel.window(), branding().programName, QStringLiteral("Stop watching this post?\n\n") + url, this,
             [this, url] {
                 // Found again by its address: the list may have changed while the question was open.
                 const int index = m_posts.indexOf(url);
                 if (index >= 0)
                     m_posts.removeAt(index);
             });
}

void WatchController::selectPostsTab(int index)
{
    m_panel.postsTabs->setCurrentIndex(index);
    // Selecting the tab that is already current emits nothing; the controls must match anyway.
    applyTab(m_panel.postsTabs->currentIndex());
}

void WatchController::applyTab(int index)
{
    const QString caption = m_panel.postsTabs->tabText(index);
    bool showAll = false;
    if (caption == QLatin1String("Show All"))
        showAll = true;
    else if (caption != QLatin1String("New Replies "))
        return;
    m_panel.postList->setVisible(showAll);
    m_panel.watchButton->setVisible(showAll);
    m_panel.removeWatchButton->setVisible(showAll);
    m_panel.checkRepliesButton->setVisible(!showAll);
    m_panel.newRepliesList->setVisible(!showAll);
}

void WatchController::openPost(const QString &url)
{
    // Opening a watched thread re-arms the post check: if the page shows the message last
    // inserted, it is watched again and its size becomes the new baseline.
    m_browser.armPostCheck(4);
    m_browser.navigate(url);
}

void WatchController::startReplyCheck()
{
    if (!m_run->isRunning())
        m_run->start();
}

void WatchController::showError(const QString &text)
{
    showMessage(m_panel.window(), QStringLiteral("Error"), text, QMessageBox::Warning);
}

void WatchController::connectReplyCheck()
{
    m_cookieJar = new BrowserCookieJar(this);
    m_run->probeSettings().cookieJar = m_cookieJar;
    m_recorder->probe().setCookieJar(m_cookieJar);

    m_autoCheck.setObjectName(QStringLiteral("autoCheckTimer"));
    connect(&m_autoCheck, &QTimer::timeout, this, &WatchController::startReplyCheck);

    connect(m_run, &ReplyCheckRun::cleared, this, [this] {
        clearFailureMarks();
        showRunState(true);
    });
    connect(m_run, &ReplyCheckRun::progress, this,
            [this](int done, int total) { Q_EMIT replyCheckProgress(done, total, true); });
    connect(m_run, &ReplyCheckRun::postFailed, this, &WatchController::markFailedPost);
    connect(m_run, &ReplyCheckRun::postNoted, this, [this](const QString &url, const QString &note) {
        markPost(url, QStyle::SP_MessageBoxInformation, note, QVariant());
    });
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
    if (minutes <= 0) {
        m_autoCheck.stop();
        return;
    }
    m_autoCheck.start(minutes * 60000);
}

void WatchController::showRunState(bool running)
{
    // The same button stops a check under way.
    m_panel.checkRepliesButton->setText(running ? QStringLiteral("Stop checking")
                                                : QStringLiteral("Check for new replies"));
    if (!running)
        Q_EMIT replyCheckProgress(m_run->done(), m_run->total(), false);
}

void WatchController::markFailedPost(const QString &url, const QString &reason)
{
    markPost(url, QStyle::SP_MessageBoxWarning, QStringLiteral("Not checked: ") + reason, reason);
    Q_EMIT statusText(2, url + QStringLiteral(" - Not checked: ") + reason);
}

void WatchController::markPost(const QString &url, int icon, const QString &text, const QVariant &reason)
{
    const QIcon shown = m_panel.style()->standardIcon(QStyle::StandardPixmap(icon));
    for (int row = 0; row < m_panel.postList->count(); ++row) {
        QListWidgetItem *item = m_panel.postList->item(row);
        if (item->text() != url)
            continue;
        item->setIcon(shown);
        item->setToolTip(text);
        item->setStatusTip(url + QStringLiteral(" - ") + text);
        item->setData(Qt::UserRole, reason);
    }
}

void WatchController::clearFailureMarks()
{
    for (int row = 0; row < m_panel.postList->count(); ++row) {
        QListWidgetItem *item = m_panel.postList->item(row);
        item->setIcon(QIcon());
        item->setToolTip(QString());
        item->setStatusTip(QString());
        item->setData(Qt::UserRole, QVariant());
    }
}
