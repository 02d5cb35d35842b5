#include "app/mainlayout.h"

#include <cmath>

float MainGeometry::panelLeft(int index) const
{
    float left = 0;
    for (int i = 0; i < index && i < 3; ++i)
        left += panelWidth[i];
    return left;
}

namespace {
// Twips the window's frame and bars take from its outer size: title and menu bar above the client
// area, the border below it (also kept at the right of the "Visit" button).
constexpr float kTitleAndMenuBars = 500;
constexpr float kBottomBorder = 250;
// What the browser frame keeps free to the window's right edge, border included.
constexpr float kRightMargin = 240;
// The gap the designed controls keep to each other and to the edge of their frame.
constexpr float kMarginInFrame = 100;
// The height of a tab strip's row of tabs.
constexpr float kTabRow = 400;
} // namespace

MainGeometry layoutMainWindow(MainGeometry g)
{
    if (g.minimized)
        return g;

    if (g.width < kMinimumWindowWidth)
        g.width = kMinimumWindowWidth;
    if (g.height < kMinimumWindowHeight)
        g.height = kMinimumWindowHeight;

    const float W = g.width;
    const float H = g.height;
    // Every length below is taken as a magnitude: a window squeezed so far that a formula goes
    // negative must still get a usable, non-negative size rather than a clipped zero.
    auto mag = [](float v) { return std::fabs(v); };

    // The order matters: each row sees what the rows above it set. In particular the posts frame
    // is sized from its top before that top is moved further down.
    // The outer height holds the title and menu bars (500) and the bottom border (250) besides
    // the client area.
    g.frame3.height = mag(H - g.statusBar1.height - kTitleAndMenuBars - g.frame3.top - kBottomBorder);
    g.lstPosts.height = mag(g.frame3.height - g.lstPosts.top - kMarginInFrame);
    g.frame4.height = g.frame3.height;
    g.lstPosts2.height = mag(g.frame3.height - g.lstPosts2.top - kMarginInFrame);
    g.lstNew.height = g.lstPosts.height;
    g.frame2.height = g.frame1.top + g.frame1.height + g.frame3.height;
    g.frame2.width = mag(W - g.frame2.left - kRightMargin);
    // The page keeps the frame's inner margins, 120 on either side.
    g.webBrowser1.width = mag(g.frame2.width - 2 * 120);
    // Below the page the frame keeps room for its bottom edge as designed (1000 in all).
    g.webBrowser1.height = mag(g.frame2.height - g.webBrowser1.top - 1000);
    g.panelWidth[0] = g.frame1.width;
    // Panel 3 is designed 3000 wide; the bar's edges take 200.
    g.panelWidth[1] = mag(W - g.panelWidth[0] - 200 - 3000);
    g.panelWidth[2] = mag(W - g.panelWidth[1] - g.panelLeft(1));
    // The go button follows the address box after a gap of 100, and keeps 100 to the frame's edge.
    g.text5.width = mag(g.frame2.width - g.text5.left - g.command3.width - 2 * kMarginInFrame);
    g.command3.left = mag(g.frame2.width - g.command3.width - kMarginInFrame);
    g.command1.width = mag(W - g.command1.left - kBottomBorder);
    g.tabStrip2.height = H;
    g.tabStrip2.top = mag(g.frame1.top + g.frame1.height + kMarginInFrame);
    // The pages sit below the tab strip's row of tabs.
    g.frame3.top = mag(g.tabStrip2.top + kTabRow);
    g.frame4.top = g.frame3.top;
    return g;
}
