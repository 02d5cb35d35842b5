#pragma once

#include "ui/designgeometry.h"

// Geometry of the main window and the controls that follow its size, in twips (1/1440 inch,
// 15 to a pixel), starting from their designed places.

struct MainGeometry
{
    bool minimized = false;
    float width = 0;  // outer width of the window, frame included
    float height = 0; // outer height of the window, frame included

    TwipRect frame1 = DesignGeometry::frame1;
    TwipRect tabStrip2 = DesignGeometry::tabStrip2;
    TwipRect frame3 = DesignGeometry::frame3;
    TwipRect frame4 = DesignGeometry::frame4;
    TwipRect lstPosts = DesignGeometry::lstPosts;
    TwipRect lstNew = DesignGeometry::lstNew;
    TwipRect lstPosts2 = DesignGeometry::lstPosts2;
    TwipRect frame2 = DesignGeometry::frame2;
    TwipRect text5 = DesignGeometry::text5;
    TwipRect command3 = DesignGeometry::command3;
    TwipRect webBrowser1 = DesignGeometry::webBrowser1;
    TwipRect command1 = DesignGeometry::command1;
    TwipRect statusBar1 = DesignGeometry::statusBar1;
    // Widths of the three status-bar panels, left to right; each panel starts where the one
    // before it ends. Each starts as wide as the editor frame above the first.
    float panelWidth[3] = {DesignGeometry::frame1.width, DesignGeometry::frame1.width, DesignGeometry::frame1.width};

    float panelLeft(int index) const;
};

constexpr float kMinimumWindowWidth = 7000;
constexpr float kMinimumWindowHeight = 5000;

// Stretches the browser, the lists, the frames, the tab strip and the status panels to the
// window's size, after raising the size to the minimum. Pure: the caller applies the result.
MainGeometry layoutMainWindow(MainGeometry g);
