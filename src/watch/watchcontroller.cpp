#include "watch/watchcontroller.h"

#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "ui/messagebox.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"

#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QWebEngineView>

WatchController::WatchController(Form1 &form)
    : QObject(&form)
    , m_form(form)
    , m_recorder(new SizeRecorder(form.watchedPosts, this))
    , m_run(new ReplyCheckRun(form.watchedPosts, this))
{
    connectControls();
    connectModel();
}

void WatchController::connectControls()
{
    connect(m_form.cmdAdd, &QPushButton::clicked, this, &WatchController::watchCurrentPage);
    connect(m_form.cmdDel, &QPushButton::clicked, this, &WatchController::removeSelectedWatch);
    connect(m_form.cmdReplies, &QPushButton::clicked, this, &WatchController::startReplyCheck);
    connect(m_form.TabStrip1, &QTabBar::currentChanged, this, &WatchController::applyTab);
    for (QListWidget *list : {m_form.lstPosts, m_form.lstNew}) {
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem *item) { m_form.setPanelText(2, item->text()); });
        connect(list, &QListWidget::itemDoubleClicked, this, &WatchController::openPost);
    }
}

void WatchController::connectModel()
{
    WatchedPostList &posts = m_form.watchedPosts;
    connect(&posts, &WatchedPostList::postAdded, this,
            [this](int index) { m_form.lstPosts->insertItem(index, m_form.watchedPosts.at(index).url); });
    connect(&posts, &WatchedPostList::postRemoved, this,
            [this](int index) { delete m_form.lstPosts->takeItem(index); });
    connect(&posts, &WatchedPostList::saveFailed, this, &WatchController::showError);

    PageSizeProbe *probe = &m_recorder->probe();
    connect(probe, &PageSizeProbe::activityText, this, [this](const QString &text) { m_form.setPanelText(2, text); });
    connect(probe, &PageSizeProbe::progressText, this, [this](const QString &text) { m_form.setPanelText(3, text); });
    connect(m_run, &ReplyCheckRun::activityText, this, [this](const QString &text) { m_form.setPanelText(2, text); });
    connect(m_run, &ReplyCheckRun::progressText, this, [this](const QString &text) { m_form.setPanelText(3, text); });
    connect(m_recorder, &SizeRecorder::recorded, this,
            [this] { m_form.setPanelText(2, QStringLiteral("Response completed")); });
    connect(m_recorder, &SizeRecorder::failed, this, &WatchController::showError);

    connect(m_run, &ReplyCheckRun::statusText, this, [this](const QString &text) { m_form.setPanelText(1, text); });
    connect(m_run, &ReplyCheckRun::cleared, m_form.lstNew, &QListWidget::clear);
    connect(m_run, &ReplyCheckRun::newReply, this, [this](const QString &url) { m_form.lstNew->addItem(url); });
    connect(m_run, &ReplyCheckRun::failed, this, &WatchController::showError);
}

void WatchController::showPosts()
{
    m_form.lstPosts->clear();
    for (const WatchedPost &post : m_form.watchedPosts.posts())
        m_form.lstPosts->addItem(post.url);
}

void WatchController::watchCurrentPage()
{
    const QString url = m_form.WebBrowser1->url().toString();
    if (m_form.watchedPosts.watch(url) < 0)
        return;
    m_recorder->measure(url);
}

void WatchController::removeSelectedWatch()
{
    const int row = m_form.lstPosts->currentRow();
    const QListWidgetItem *item = m_form.lstPosts->currentItem();
    if (row < 0 || !item || !item->isSelected())
        return;
    m_form.watchedPosts.removeAt(row);
}

void WatchController::selectPostsTab(int index)
{
    m_form.TabStrip1->setCurrentIndex(index);
    // Selecting the tab that is already current emits nothing; the controls must match anyway.
    applyTab(m_form.TabStrip1->currentIndex());
}

void WatchController::applyTab(int index)
{
    const QString caption = m_form.TabStrip1->tabText(index);
    bool showAll = false;
    if (caption == QLatin1String("Show All"))
        showAll = true;
    else if (caption != QLatin1String("New Replies "))
        return;
    m_form.lstPosts->setVisible(showAll);
    m_form.cmdAdd->setVisible(showAll);
    m_form.cmdDel->setVisible(showAll);
    m_form.cmdReplies->setVisible(!showAll);
    m_form.lstNew->setVisible(!showAll);
}

void WatchController::openPost(QListWidgetItem *item)
{
    // Opening a watched thread re-arms the post check: if the page shows the message last
    // inserted, it is watched again and its size becomes the new baseline.
    m_form.browser().armPostCheck(4);
    m_form.browser().navigate(item->text());
}

void WatchController::startReplyCheck()
{
    m_run->start();
}

void WatchController::showError(const QString &text)
{
    showMessage(&m_form, QStringLiteral("Error"), text, QMessageBox::Warning);
}
