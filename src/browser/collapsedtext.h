#pragma once

#include <QString>

// Whether a character shows as nothing: the soft hyphen, the zero-width space, joiners and
// non-joiners, the word joiner and the byte-order mark. Editors keep some as caret holders, and
// forum engines put others into long words so that they can break.
bool isInvisibleCharacter(QChar c);

// text without its invisible characters, every run of white space as one blank, the ends trimmed:
// how text reads however a page lays out its lines and paragraphs.
QString collapsedWhiteSpace(const QString &text);
