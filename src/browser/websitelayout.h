#pragma once

#include <QRect>

// Where the secondary browser window puts its controls for a given size. Everything is in twips
// (15 to a logical pixel), the unit the window's design positions are given in.
struct WebsiteLayout
{
    int panelWidth = 0; // each of the two status panels
    QRect frame;
    QRect urlBox;
    QRect goButton;
    QRect browser;
};

// width and height are the window's; statusBarHeight is that of its status bar. A window shrunk
// below the margins gets the absolute values of the sizes, never a negative one.
WebsiteLayout websiteLayout(int width, int height, int statusBarHeight);

// Design positions the layout starts from (twips); the rest of the address bar stays where
// makeAddressBar puts it.
namespace WebsiteDesign {
constexpr int frameLeft = 150;
constexpr int frameTop = 0;
constexpr QRect urlBox{540, 240, 4875, 315};
constexpr QRect goButton{5460, 240, 795, 315};
constexpr int browserLeft = 120;
constexpr int browserTop = 1140;
} // namespace WebsiteDesign
