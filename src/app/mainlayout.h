#pragma once

// Geometry of the main window and the controls that follow its size, in twips (1/1440 inch,
// 15 to a pixel). Frames and top-level controls are relative to the window's client area,
// children relative to their frame.
struct TwipRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

struct MainGeometry
{
    bool minimized = false;
    float width = 0;  // outer width of the window, frame included
    float height = 0; // outer height of the window, frame included

    TwipRect frame1{60, 900, 3735, 4215};
    TwipRect tabStrip2{60, 5160, 3735, 4815};
    TwipRect frame3{120, 5520, 3615, 4335};
    TwipRect frame4{120, 5520, 3615, 4335};
    TwipRect lstPosts{60, 1320, 3435, 1620};
    TwipRect lstNew{60, 1320, 3435, 1230};
    TwipRect lstPosts2{60, 1140, 3435, 1425};
    TwipRect frame2{3840, 900, 6375, 7395};
    TwipRect text5{540, 240, 4875, 315};
    TwipRect command3{5460, 240, 795, 315};
    TwipRect webBrowser1{120, 1140, 6135, 5595};
    TwipRect command1{8040, 60, 2115, 795};
    TwipRect statusBar1{0, 8670, 11145, 315};
    // Widths of the three status-bar panels, left to right; each panel starts where the one
    // before it ends.
    float panelWidth[3] = {3735, 3735, 3735};

    float panelLeft(int index) const;
};

constexpr float kMinimumWindowWidth = 7000;
constexpr float kMinimumWindowHeight = 5000;

// Stretches the browser, the lists, the frames, the tab strip and the status panels to the
// window's size, after raising the size to the minimum. Pure: the caller applies the result.
MainGeometry layoutMainWindow(MainGeometry g);
