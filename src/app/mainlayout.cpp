#include "app/mainlayout.h"

#include <cmath>

float MainGeometry::panelLeft(int index) const
{
    float left = 0;
    for (int i = 0; i < index && i < 3; ++i)
        left += panelWidth[i];
    return left;
}

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
    g.frame3.height = mag(H - g.statusBar1.height - 500 - g.frame3.top - 250);
    g.lstPosts.height = mag(g.frame3.height - g.lstPosts.top - 100);
    g.frame4.height = g.frame3.height;
    g.lstPosts2.height = mag(g.frame3.height - g.lstPosts2.top - 100);
    g.lstNew.height = g.lstPosts.height;
    g.frame2.height = g.frame1.top + g.frame1.height + g.frame3.height;
    g.frame2.width = mag(W - g.frame2.left - 240);
    g.webBrowser1.width = mag(g.frame2.width - 240);
    g.webBrowser1.height = mag(g.frame2.height - g.webBrowser1.top - 1000);
    g.panelWidth[0] = g.frame1.width;
    g.panelWidth[1] = mag(W - g.panelWidth[0] - 200 - 3000);
    g.panelWidth[2] = mag(W - g.panelWidth[1] - g.panelLeft(1));
    g.text5.width = mag(g.frame2.width - g.text5.left - g.command3.width - 200);
    g.command3.left = mag(g.frame2.width - g.command3.width - 100);
    g.command1.width = mag(W - g.command1.left - 250);
    g.tabStrip2.height = H;
    g.tabStrip2.top = mag(g.frame1.top + g.frame1.height + 100);
    g.frame3.top = mag(g.tabStrip2.top + 400);
    g.frame4.top = g.frame3.top;
    return g;
}
