#include "app/mainlayoutapply.h"

#include "app/mainlayout.h"
#include "ui/twips.h"

#include <QWidget>

#include <algorithm>
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

MainGeometry readGeometry(const MainLayoutWidgets &w)
{
    MainGeometry g;
    g.minimized = w.window->isMinimized();
    // The rules were drawn up for the outer size of the window, frame included.
    const QSize outer = w.window->frameGeometry().size();
    g.width = float(pixelsToTwips(outer.width()));
    g.height = float(pixelsToTwips(outer.height()));
    g.frame1 = toTwips(w.editorFrame);
    g.tabStrip2 = toTwips(w.tabStrip);
    g.frame3 = toTwips(w.postsFrame);
    g.frame4 = toTwips(w.forumsFrame);
    g.lstPosts = toTwips(w.postList);
    g.lstNew = toTwips(w.newRepliesList);
    g.lstPosts2 = toTwips(w.forumList);
    g.frame2 = toTwips(w.browserFrame);
    g.text5 = toTwips(w.addressBox);
    g.command3 = toTwips(w.goButton);
    g.webBrowser1 = toTwips(w.pageView);
    g.command1 = toTwips(w.visitButton);
    g.statusBar1 = toTwips(w.statusBar);
    for (int i = 0; i < 3; ++i)
        g.panelWidth[i] = float(pixelsToTwips(w.statusPanels[i]->width()));
    return g;
}

void writePanels(const MainLayoutWidgets &w, const MainGeometry &g)
{
    // The status bar's own layout places the panels. Panels 1 and 3 get their computed widths;
    // panel 2 stretches up to its computed width, so that the panels never demand more room
    // than the bar has (fixed widths adding up to the outer width would push the window's
    // minimum size up on every pass).
    for (int i = 0; i < 3; ++i) {
        QWidget *panel = w.statusPanels[i];
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

void applyMainLayout(const MainLayoutWidgets &w)
{
    const MainGeometry before = readGeometry(w);
    const MainGeometry g = layoutMainWindow(before);
    if (g.minimized)
        return;

    if (g.width != before.width || g.height != before.height) {
        // resize() sets the inner size: keep the frame's own share on top of it.
        // Round up, so that the pixel size never comes out under the minimum.
        const QSize frameExtra = w.window->frameGeometry().size() - w.window->size();
        const int width = int(std::ceil(g.width / kTwipsPerPixel));
        const int height = int(std::ceil(g.height / kTwipsPerPixel));
        w.window->resize(width - frameExtra.width(), height - frameExtra.height());
    }

    place(w.postsFrame, g.frame3);
    place(w.postList, g.lstPosts);
    place(w.forumsFrame, g.frame4);
    place(w.forumList, g.lstPosts2);
    place(w.newRepliesList, g.lstNew);
    place(w.browserFrame, g.frame2);
    place(w.pageView, g.webBrowser1);
    writePanels(w, g);
    place(w.addressBox, g.text5);
    place(w.goButton, g.command3);
    place(w.visitButton, g.command1);
    place(w.tabStrip, g.tabStrip2);
}
