#include "app/mainlayoutwidgets.h"

#include "app/mainwindow.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "compose/messageeditorpanel.h"
#include "watch/postspanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QWebEngineView>

MainLayoutWidgets mainLayoutWidgets(MainWindow &window)
{
    MainLayoutWidgets w;
    w.window = &window;
    w.editorFrame = window.editorPanel();
    w.tabStrip = window.pageTabs();
    w.postsFrame = window.postsPanel();
    w.forumsFrame = window.forumsPanel();
    w.postList = window.postsPanel()->postList;
    w.newRepliesList = window.postsPanel()->newRepliesList;
    w.forumList = window.forumsPanel()->forumList;
    w.browserFrame = window.browserPanel();
    w.addressBox = window.browserPanel()->addressBox;
    w.goButton = window.browserPanel()->goButton;
    w.pageView = window.browserPanel()->view;
    w.visitButton = window.visitButton();
    w.statusBar = window.statusBar();
    for (int i = 0; i < 3; ++i)
        w.statusPanels[i] = window.statusPanel(StatusPanel(i));
    return w;
}
