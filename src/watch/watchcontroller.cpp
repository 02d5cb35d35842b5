#include "watch/watchcontroller.h"

#include "app/mainwindow.h"

#include <QListWidget>

WatchController::WatchController(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
}

void WatchController::showPosts()
{
    m_form.lstPosts->clear();
    for (const WatchedPost &post : m_form.watchedPosts.posts())
        m_form.lstPosts->addItem(post.url);
}

void WatchController::watchCurrentPage()
{
}
void WatchController::removeSelectedWatch()
{
}
void WatchController::selectPostsTab(int)
{
}
void WatchController::startReplyCheck()
{
}
