#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Splits bytes into lines. A line ends at CR LF, at a lone CR or at a lone LF, so files edited on
// any system load the same; a final line break adds no empty line. Each line is read as UTF-8, or
// as Latin-1 when its bytes are not valid UTF-8 (a file copied from an old install).
QStringList splitTextLines(const QByteArray &bytes);
// Reads a whole file as splitTextLines does. A missing or unreadable file gives no lines and
// *ok = false.
QStringList readTextLines(const QString &path, bool *ok = nullptr);
// How the program writes text to its files.
QByteArray encodeText(const QString &text);
