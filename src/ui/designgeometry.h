#pragma once

#include "ui/twips.h"

// A place in twips: frames and top-level controls relative to the window's client area,
// children relative to their frame.
struct TwipRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// Where the main window's controls that follow the window's size are designed. The panels are
// built at these places and the layout rules start from them, so each is written down only here.
namespace DesignGeometry {
constexpr TwipRect frame1{60, 900, 3735, 4215};        // "Message Editor"
constexpr TwipRect tabStrip2{60, 5160, 3735, 4815};    // "Your Forums" / "Your Posts"
constexpr TwipRect frame3{120, 5520, 3615, 4335};      // "Your Posts" page
constexpr TwipRect frame4{120, 5520, 3615, 4335};      // "Your Forums" page, over frame3
constexpr TwipRect lstPosts{60, 1320, 3435, 1620};     // in frame3
constexpr TwipRect lstNew{60, 1320, 3435, 1230};       // in frame3, in lstPosts' place
constexpr TwipRect lstPosts2{60, 1140, 3435, 1425};    // in frame4
constexpr TwipRect frame2{3840, 900, 6375, 7395};      // "Browser"
constexpr TwipRect text5{540, 240, 4875, 315};         // address box, in frame2
constexpr TwipRect command3{5460, 240, 795, 315};      // go button, in frame2
constexpr TwipRect webBrowser1{120, 1140, 6135, 5595}; // the page, in frame2
constexpr TwipRect command1{8040, 60, 2115, 795};      // "Visit ..."
constexpr TwipRect statusBar1{0, 8670, 11145, 315};
} // namespace DesignGeometry

inline QRect twipsRect(const TwipRect &r)
{
    return twipsRect(int(r.left), int(r.top), int(r.width), int(r.height));
}
