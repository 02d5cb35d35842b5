#pragma once

#include <QString>

// The scripts the watched posts run in the page the browser shows.

// Gives the markup of the page's head, where it names its canonical address (the empty text for
// a page without one).
QString readHeadScript();

// Scrolls the page to the element with this id or anchor name, a post's ("pid83"). Gives whether
// the page has one.
QString scrollToAnchorScript(const QString &anchor);
