#pragma once

#include <QString>

// The scripts through which the post check hears of a page that changes without loading. An
// observer kept in the application's own world notes every node the page adds and every text it
// changes, except inside writing boxes (text areas, editable elements, editor frames) and scripts;
// the program asks it now and then, and reads only what was noted, so a large page is not read
// again for every change. Each script gives an object, or null when the page has no body or, for
// the last three, no observer (a new document).

// Puts the observer into the page when it has none, forgets what it noted, and gives
// {href: the page's address, body: the body's outer markup}. Before the page has been parsed no
// observer is put in (the parser's own nodes would all count as added); body is null without a body.
QString watchPageScript();
// The same without reading the body: {href}.
QString startWatchingPageScript();

// Gives {href, changed: how many noted nodes are still in the page, boxes: the texts of the
// writing boxes a person sees, only when changed is not 0}.
QString pollPageChangesScript();

// Gives {href, markup: the noted nodes still in the page, each once (a node inside another noted
// one is part of it), elements as markup and texts escaped} and forgets them.
QString takePageChangesScript();

// Takes the observer out of the page again. Gives true.
QString stopWatchingPageScript();
