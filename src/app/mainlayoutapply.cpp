#include "app/mainlayoutapply.h"

#include "app/mainlayout.h"
#include "app/mainwindow.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

MainGeometry readGeometry(const Form1 &f)
{
    MainGeometry g;
    g.minimized = f.isMinimized();
    // The rules were drawn up for the outer size of the window, frame included.
    const QSize outer = f.frameGeometry().size();
    g.width = float(pixelsToTwips(outer.width()));
    g.height = float(pixelsToTwips(outer.height()));
    g.frame1 = toTwips(f.Frame1);
    g.tabStrip2 = toTwips(f.TabStrip2);
    g.frame3 = toTwips(f.Frame3);
    g.frame4 = toTwips(f.Frame4);
    g.lstPosts = toTwips(f.lstPosts);
    g.lstNew = toTwips(f.lstNew);
    g.lstPosts2 = toTwips(f.lstPosts2);
    g.frame2 = toTwips(f.Frame2);
    g.text5 = toTwips(f.Text5);
    g.command3 = toTwips(f.Command3);
    g.webBrowser1 = toTwips(f.WebBrowser1);
    g.command1 = toTwips(f.Command1);
    if (const QStatusBar *bar = f.findChild<QStatusBar *>(QStringLiteral("StatusBar1")))
        g.statusBar1 = toTwips(bar);
    for (int i = 0; i < 3; ++i) {
        if (f.statusPanel[i])
            g.panelWidth[i] = float(pixelsToTwips(f.statusPanel[i]->width()));
    }
    return g;
}

void writePanels(Form1 &f, const MainGeometry &g)
{
    // The status bar's own layout places the panels. Panels 1 and 3 get their computed widths;
    // panel 2 stretches up to its computed width, so that the panels never demand more room
    // than the bar has (fixed widths adding up to the outer width would push the window's
    // minimum size up on every pass).
    for (int i = 0; i < 3; ++i) {
        QLabel *panel = f.statusPanel[i];
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

void applyMainLayout(Form1 &f)
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

    place(f.Frame3, g.frame3);
    place(f.lstPosts, g.lstPosts);
    place(f.Frame4, g.frame4);
    place(f.lstPosts2, g.lstPosts2);
    place(f.lstNew, g.lstNew);
    place(f.Frame2, g.frame2);
    place(f.WebBrowser1, g.webBrowser1);
    writePanels(f, g);
    place(f.Text5, g.text5);
    place(f.Command3, g.command3);
    place(f.Command1, g.command1);
    place(f.TabStrip2, g.tabStrip2);
}
