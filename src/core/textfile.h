#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Splits bytes into lines. A line ends at CR LF, at a lone CR or at a lone LF, so files edited on
// any system load the same; a final line break adds no empty line. Each line is read as UTF-8, or
// as Latin-1 when its bytes are not valid UTF-8 (a file copied from an old install). A UTF-8
// byte-order mark is dropped at the very start of the bytes only: anywhere else it is text.
QStringList splitTextLines(const QByteArray &bytes);

// What reading a whole text file found.
struct TextFileRead
{
    enum Status { Read, Missing, Unreadable };
    Status status = Missing;
    QStringList lines; // as splitTextLines gives them; empty unless Read
    QString error;     // for Unreadable: names the file and the system's reason
};
// Reads a file as splitTextLines does. Nothing at path is Missing; anything there that cannot be
// read whole (no permission, a folder, an I/O error) is Unreadable.
TextFileRead readTextFile(const QString &path);
// The lines of readTextFile; *ok is false when the file is missing or unreadable.
QStringList readTextLines(const QString &path, bool *ok = nullptr);
// How the program writes text to its files.
QByteArray encodeText(const QString &text);
// The bytes of a whole file holding text. When the text itself starts with a byte-order mark, one
// more goes before it: splitTextLines drops the first and keeps the user's.
QByteArray encodeTextFile(const QString &text);
