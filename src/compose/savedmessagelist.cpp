#include "compose/savedmessagelist.h"

SavedMessageList::SavedMessageList(const QString &file, QObject *parent)
    : QAbstractListModel(parent)
    , m_file(file)
{
}

int SavedMessageList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant SavedMessageList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count() || role != Qt::DisplayRole)
        return QVariant();
    return m_lines.at(index.row());
}

SavedMessageLines::Status SavedMessageList::load()
{
    const SavedMessageLines read = readSavedMessages(m_file);
    beginResetModel();
    m_lines = read.lines;
    endResetModel();
    m_loadError = read.error;
    return read.status;
}

QString SavedMessageList::add(const QString &message, const QString &subject)
{
    const QString error = appendSavedMessage(m_file, message, subject);
    if (error.isEmpty())
        load();
    return error;
}

QString SavedMessageList::remove(const QString &entry)
{
    const QString error = deleteSavedMessage(m_file, entry);
    if (!error.isEmpty())
        return error;
    return load() == SavedMessageLines::Unreadable ? loadError() : QString();
}
