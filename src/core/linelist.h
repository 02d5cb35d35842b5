#pragma once

#include "core/linerules.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

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

// Whether most of the entries among lines break rule: the lines are no such list.
bool isMostlyOdd(const QStringList &lines, LineRule rule);
// What the user is told of such a file; what names the entries ("web addresses").
QString notAListError(const QString &path, const QString &what);

// Reading the files of one list. A list that could not be read is never saved: saving it would
// replace the entries the file still holds with the few (or none) that were read. The same goes
// for a file that is no such list: one that is no text, or most of whose entries break the list's
// rule (a system file behind a link, say). One odd entry among good ones is read as it stands.
// The reader remembers the first failure for the rest of the run.
class LineListReader
{
public:
    // The entries of the file at path; none when it is missing, cannot be read or is no such list.
    // what names the entries the rule looks for, in the message ("web addresses").
    QStringList read(const QString &path, LineRule rule = nullptr, const QString &what = QString());
    // The same, handing each entry to take as it is read, so a long list is never held twice.
    // False when the file could not be read or is no such list: what take was given is then
    // to be thrown away.
    bool readEach(const QString &path, const std::function<void(QString &&entry)> &take, LineRule rule = nullptr,
                  const QString &what = QString());
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
