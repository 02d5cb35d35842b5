#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The data files' line lists: one entry per line, CR LF line ends, read as splitTextLines reads
// (so a byte-order mark counts only at the very start). A line that is empty or one blank is no
// entry: older versions wrote an empty line after each entry, and a hand-edited file may hold
// stray blank lines.
bool isBlankLine(const QString &line);

// How a list writes its entries.
enum class EntrySpacing {
    Plain,          // one entry per line
    EmptyLineAfter, // each entry followed by an empty line, as older versions read them
};
QByteArray lineListBytes(const QStringList &entries, EntrySpacing spacing);

// Reading the files of one list. A list that could not be read is never saved: saving it would
// replace the entries the file still holds with the few (or none) that were read. The reader
// remembers the first failure for the rest of the run.
class LineListReader
{
public:
    // The entries of the file at path; none when it is missing or cannot be read.
    QStringList read(const QString &path);
    // Notes a failure found outside read() (finishing an interrupted save, say).
    void fail(const QString &error);
    // Forgets earlier failures: a new load of the list.
    void reset() { m_error.clear(); }

    bool mayBeSaved() const { return m_error.isEmpty(); }
    // Why the list may not be saved: the first file that could not be read and the reason.
    QString error() const { return m_error; }

private:
    QString m_error;
};
