#pragma once

#include <QString>

// What a reader of a page sees of a piece of markup: tags dropped (a line break and the tags that
// start or end a block, such as paragraphs and list items, end a line), comments and the content
// of scripts, styles, text areas and the document head dropped, character references decoded.
// A "<" that starts no tag ("I <3 it") is text. Lines are separated by "\n".
QString visibleText(const QString &markup);

// The form two texts are compared in: compatibility forms folded (an ellipsis becomes three dots,
// a no-break space a space), typographic quotes, apostrophes and primes folded to the plain ones,
// every kind of dash and any run of them to one "-", invisible characters dropped, runs of white
// space to one space, the ends trimmed and letter case folded. Forum engines rewrite what a user
// typed into these typographic forms ("It's -- great" is shown as "It’s — great").
QString comparableText(const QString &text);
