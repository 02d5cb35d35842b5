#include "watch/failureicons.h"

#include "watch/watchedpostlist.h"

FailureIcons::FailureIcons(const QIcon &warning, const QIcon &information, QObject *parent)
    : QIdentityProxyModel(parent)
    , m_warning(warning)
    , m_information(information)
{
}

QVariant FailureIcons::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DecorationRole)
        return QIdentityProxyModel::data(index, role);
    if (!QIdentityProxyModel::data(index, WatchedPostList::FailureRole).toString().isEmpty())
        return m_warning;
    if (!QIdentityProxyModel::data(index, WatchedPostList::NoteRole).toString().isEmpty())
        return m_information;
    return QVariant();
}
