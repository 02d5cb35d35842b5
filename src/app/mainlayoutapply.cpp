#include "app/mainlayoutapply.h"

#include "app/mainlayout.h"
#include "app/mainwindow.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "compose/messageeditorpanel.h"
#include "ui/twips.h"
#include "watch/postspanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QWebEngineView>

#include <cmath>

namespace {

TwipRect toTwips(const QWidget *w)
{
    const QRect r = w->geometry();
    return TwipRect{float(pixelsToTwips(r.x())), float(pixelsToTwips(r.y())), float(pixelsToTwips(r.width())),
                    float(pixelsToTwips(r.height()))};
}

int px(float twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

void place(QWidget *w, const TwipRect &r)
{
    const QRect wanted(px(r.left), px(r.top), px(r.width), px(r.height));
    if (w->geometry() != wanted)
        w->setGeometry(wanted);
}

MainGeometry readGeometry(const MainWindow &f)
{
    MainGeometry g;
    g.minimized = f.isMinimized();
    // The rules were drawn up for the outer size of the window, frame included.
    const QSize outer = f.frameGeometry().size();
    g.width = float(pixelsToTwips(outer.width()));
    g.height = float(pixelsToTwips(outer.height()));
    g.frame1 = toTwips(f.editorPanel());
    g.tabStrip2 = toTwips(f.pageTabs());
    g.frame3 = toTwips(f.postsPanel());
    g.frame4 = toTwips(f.forumsPanel());
    g.lstPosts = toTwips(f.postsPanel()->postList);
    g.lstNew = toTwips(f.postsPanel()->newRepliesList);
    g.lstPosts2 = toTwips(f.forumsPanel()->forumList);
    g.frame2 = toTwips(f.browserPanel());
    g.text5 = toTwips(f.browserPanel()->addressBox);
    g.command3 = toTwips(f.browserPanel()->goButton);
    g.webBrowser1 = toTwips(f.browserPanel()->view);
    g.command1 = toTwips(f.visitButton());
    if (const QStatusBar *bar = f.findChild<QStatusBar *>(QStringLiteral("StatusBar1")))
        g.statusBar1 = toTwips(bar);
    for (int i = 0; i < 3; ++i) {
        if (const QLabel *panel = f.statusPanel(StatusPanel(i)))
            g.panelWidth[i] = float(pixelsToTwips(panel->width()));
    }
    return g;
}

void writePanels(MainWindow &f, const MainGeometry &g)
{
    // The status bar's own layout places the panels. Panels 1 and 3 get their computed widths;
    // panel 2 stretches up to its computed width, so that the panels never demand more room
    // than the bar has (fixed widths adding up to the outer width would push the window's
    // minimum size up on every pass).
    for (int i = 0; i < 3; ++i) {
        QLabel *panel = f.statusPanel(StatusPanel(i));
        if (!panel)
            continue;
        const int width = px(g.panelWidth[i]);
        if (i == 1) {
            panel->setMinimumWidth(1);
            panel->setMaximumWidth(std::max(1, width));
        } else {
            panel->setFixedWidth(width);
        }
    }
}

} // namespace

void applyMainLayout(MainWindow &f)
{
    const MainGeometry before = readGeometry(f);
    const MainGeometry g = layoutMainWindow(before);
    if (g.minimized)
        return;

    if (g.width != before.width || g.height != before.height) {
        // resize() sets the inner size: keep the frame's own share on top of it.
        // Round up, so that the pixel size never comes out under the minimum.
        const QSize frameExtra = f.frameGeometry().size() - f.size();
        const int width = int(std::ceil(g.width / kTwipsPerPixel));
        const int height = int(std::ceil(g.height / kTwipsPerPixel));
        f.resize(width - frameExtra.width(), height - frameExtra.height());
    }

    BrowserPanel *browser = f.browserPanel();
    place(f.postsPanel(), g.frame3);
    place(f.postsPanel()->postList, g.lstPosts);
    place(f.forumsPanel(), g.frame4);
    place(f.forumsPanel()->forumList, g.lstPosts2);
    place(f.postsPanel()->newRepliesList, g.lstNew);
    place(browser, g.frame2);
    place(browser->view, g.webBrowser1);
    writePanels(f, g);
    place(browser->addressBox, g.text5);
    place(browser->goButton, g.command3);
    place(f.visitButton(), g.command1);
    place(f.pageTabs(), g.tabStrip2);
}
