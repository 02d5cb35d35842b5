#pragma once

#include <QString>

// The small steps every reader of a page's markup takes.

inline bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The position just past the ">" that ends the tag opened at start, stepping over quoted attribute
// values (a value may hold "<" or ">"); the end of the text when the tag is never closed.
qsizetype tagEnd(const QString &markup, qsizetype start);
