#include "watch/newreplylist.h"

void NewReplyList::clear()
{
    m_details.clear();
    m_openings.clear();
    setStringList({});
}

void NewReplyList::add(const QString &url)
{
    const int row = rowCount();
    insertRows(row, 1);
    setData(index(row), url);
}

void NewReplyList::setDetail(const QString &url, const QString &detail)
{
    m_details.insert(url, detail);
    const QStringList urls = stringList();
    for (int row = 0; row < urls.size(); ++row) {
        if (urls.at(row) == url)
            Q_EMIT dataChanged(index(row), index(row), {Qt::ToolTipRole, Qt::StatusTipRole});
    }
}

void NewReplyList::setOpening(const QString &url, const QString &address)
{
    m_openings.insert(url, address);
}

QString NewReplyList::openingAt(int row) const
{
    const QString url = QStringListModel::data(index(row), Qt::DisplayRole).toString();
    return m_openings.value(url, url);
}

QVariant NewReplyList::data(const QModelIndex &index, int role) const
{
    if (role != Qt::ToolTipRole && role != Qt::StatusTipRole)
        return QStringListModel::data(index, role);
    const QString url = QStringListModel::data(index, Qt::DisplayRole).toString();
    const QString detail = m_details.value(url);
    if (role == Qt::ToolTipRole)
        return detail.isEmpty() ? QVariant() : QVariant(detail);
    return detail.isEmpty() ? url : url + QStringLiteral(" - ") + detail;
}
