#pragma once

#include <QString>
#include <QStringList>

// messages.txt in the data folder: one saved message per line, oldest first, CR LF line ends. The
// functions below are given its path.
inline constexpr const char *savedMessagesFileName = "messages.txt";

// Appends a message to the file, dropping the empty lines a delete leaves behind. Returns an
// empty text on success, else what went wrong; on failure the file keeps its old content.
QString appendSavedMessage(const QString &path, const QString &message, const QString &subject);

struct SavedMessageLines
{
    enum Status { Read, Missing, Unreadable };
    Status status = Missing;
    QStringList lines; // every line, empty ones included
    QString error;     // for Unreadable
};
SavedMessageLines readSavedMessages(const QString &path);

// Removes every line equal to entry (case-sensitive) and ends the file with an empty line.
// Returns an empty text on success, else what went wrong; on failure the file is left as it was.
QString deleteSavedMessage(const QString &path, const QString &entry);
