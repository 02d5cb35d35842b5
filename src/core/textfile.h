#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Splits bytes into lines. A line ends at CR LF, at a lone CR or at a lone LF, so files edited on
// any system load the same; a final line break adds no empty line. A file that starts with a
// UTF-16 byte-order mark (either byte order) is UTF-16 throughout. Otherwise each line is read
// as UTF-8, or as Latin-1 when its bytes are not valid UTF-8 (a file copied from an old install),
// and a UTF-8 byte-order mark is dropped at the very start of the bytes only: anywhere else it is
// text. Text holds no NUL character: bytes that do are no text, and give no lines.
QStringList splitTextLines(const QByteArray &bytes);
// Whether splitTextLines found the bytes to be no text (a NUL character).
bool isText(const QByteArray &bytes);

// What reading a whole text file found.
struct TextFileRead
{
    enum Status {
        Read,
        Missing,
        Unreadable, // could not be read whole (no permission, a folder, an I/O error)
        NotText,    // holds what is no text (a NUL character): a program, a picture, a device
    };
    Status status = Missing;
    QStringList lines; // as splitTextLines gives them; empty unless Read
    QString error;     // for Unreadable and NotText: names the file and says what is wrong
};
// Hands each line of the file at path to take, in order, as splitTextLines splits it, reading
// the file a block at a time: a long file never sits in memory whole. Lines already handed on
// stay handed on when the status is not Read; the caller then throws them away.
TextFileRead::Status forEachTextLine(const QString &path, const std::function<void(QString &&line)> &take,
                                     QString *error = nullptr);
// Reads a file as splitTextLines does. Nothing at path is Missing.
TextFileRead readTextFile(const QString &path);
// The lines of readTextFile; *ok is false when the file is missing, unreadable or no text.
QStringList readTextLines(const QString &path, bool *ok = nullptr);
// How the program writes text to its files.
QByteArray encodeText(const QString &text);
// The bytes of a whole file holding text. When the text itself starts with a byte-order mark, one
// more goes before it: splitTextLines drops the first and keeps the user's.
QByteArray encodeTextFile(const QString &text);
