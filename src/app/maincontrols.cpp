#include "app/maincontrols.h"

#include "app/statuspanels.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "compose/messageeditorpanel.h"
#include "ui/accessibility.h"
#include "ui/designgeometry.h"
#include "ui/widgetfactory.h"
#include "watch/postspanel.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QWebEngineView>

MainControls placeMainControls(QMainWindow &window)
{
    QWidget *central = window.centralWidget();
    MainControls c;
    c.window = &window;
    c.editor = new MessageEditorPanel(central);
    c.visitButton =
        makeButton(central, QStringLiteral("Command1"), QString(),
                   QCoreApplication::translate("MainWindow", "Visit us!"), twipsRect(DesignGeometry::command1));
    c.browser = new BrowserPanel(central);
    c.pageTabs = makeControl<QTabBar>(central, QStringLiteral("TabStrip2"), twipsRect(DesignGeometry::tabStrip2));
    c.pageTabs->addTab(QCoreApplication::translate("MainWindow", "Your Forums"));
    c.pageTabs->addTab(QCoreApplication::translate("MainWindow", "Your Posts"));
    c.pageTabs->setExpanding(false);
    c.pageTabs->setDrawBase(true);
    c.forums = new ForumsPanel(central);
    c.posts = new PostsPanel(central);
    QObject::connect(c.pageTabs, &QTabBar::currentChanged, central, [posts = c.posts, forums = c.forums](int tab) {
        posts->setVisible(tab == MainControls::postsTab);
        forums->setVisible(tab == MainControls::forumsTab);
    });
    c.status = new StatusPanels(window.statusBar());
    // Tab goes down the left column, then the right one.
    applyAccessibility(&window, {c.editor, c.pageTabs, c.forums, c.posts, c.visitButton, c.browser});
    return c;
}

MainLayoutWidgets MainControls::layoutWidgets() const
{
    MainLayoutWidgets w;
    w.window = window;
    w.editorFrame = editor;
    w.tabStrip = pageTabs;
    w.postsFrame = posts;
    w.forumsFrame = forums;
    w.postList = posts->postList;
    w.newRepliesList = posts->newRepliesList;
    w.forumList = forums->forumList;
    w.browserFrame = browser;
    w.addressBox = browser->addressBox;
    w.goButton = browser->goButton;
    w.pageView = browser->view;
    w.visitButton = visitButton;
    w.statusBar = window->statusBar();
    for (int i = 0; i < 3; ++i)
        w.statusPanels[i] = status->panel(StatusPanel(i));
    return w;
}
