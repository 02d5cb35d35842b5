#pragma once

#include "compose/savedmessage.h"
#include "compose/savedmessagefile.h"

#include <QAbstractListModel>
#include <QStringList>

// The saved messages as the saved-messages window lists them: one row per line of messages.txt,
// empty lines included, shown raw (with their "[br]" markers and the "|" before the subject).
// The rows are the file as it was last read; every change goes to the file first and the rows
// are then read from it again, so what the list shows is always what the file holds.
class SavedMessageList : public QAbstractListModel
{
    Q_OBJECT
public:
    // file: messages.txt.
    explicit SavedMessageList(const QString &file, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Reads messages.txt afresh. A file that is missing or cannot be read leaves no rows; the
    // status says which, and loadError() why it could not be read.
    SavedMessageLines::Status load();
    QString loadError() const { return m_loadError; }

    // Appends a message to the file (see appendSavedMessage). An empty text on success, else what
    // went wrong; on failure the file and the rows stay as they were.
    QString add(const QString &message, const QString &subject);
    // Removes every line equal to entry from the file (see deleteSavedMessage). An empty text on
    // success, else what went wrong: the removal itself, or the reading of the file after it.
    QString remove(const QString &entry);

    int count() const { return int(m_lines.size()); }
    // The row as stored, or an empty text outside the rows.
    QString line(int row) const { return row >= 0 && row < count() ? m_lines.at(row) : QString(); }
    SavedMessage message(int row) const { return parseSavedMessageLine(line(row)); }

private:
    QString m_file;
    QStringList m_lines;
    QString m_loadError;
};
