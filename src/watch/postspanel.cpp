#include "watch/postspanel.h"

#include "ui/designgeometry.h"
#include "ui/widgetfactory.h"

#include <QListView>
#include <QTabBar>

PostsPanel::PostsPanel(QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Frame3"));
    setGeometry(twipsRect(DesignGeometry::frame3));
    watchButton = makeButton(this, QStringLiteral("cmdAdd"), tr("Watch This Post"), tr("Watch the current URL"),
                             twipsRect(60, 60, 1695, 495));
    removeWatchButton =
        makeButton(this, QStringLiteral("cmdDel"), tr("Remove Watch"), tr("back"), twipsRect(1800, 60, 1695, 495));
    postsTabs = makeControl<QTabBar>(this, QStringLiteral("TabStrip1"), twipsRect(60, 600, 3495, 315));
    postsTabs->setTabData(postsTabs->addTab(tr("Show All")), int(PostsView::ShowAll));
    postsTabs->setTabData(postsTabs->addTab(tr("New Replies ")), int(PostsView::NewReplies));
    postsTabs->setExpanding(false);
    checkRepliesButton = makeButton(this, QStringLiteral("cmdReplies"), tr("Check for new replies"), QString(),
                                    twipsRect(60, 960, 3435, 315));
    postList = makeControl<QListView>(this, QStringLiteral("lstPosts"), twipsRect(DesignGeometry::lstPosts));
    newRepliesList = makeControl<QListView>(this, QStringLiteral("lstNew"), twipsRect(DesignGeometry::lstNew));
    checkRepliesButton->hide();
    newRepliesList->hide();
    hide();
}

int PostsPanel::tabOf(PostsView view) const
{
    for (int tab = 0; tab < postsTabs->count(); ++tab) {
        if (viewOfTab(tab) == view)
            return tab;
    }
    return -1;
}

PostsView PostsPanel::viewOfTab(int tab) const
{
    return PostsView(postsTabs->tabData(tab).toInt());
}
