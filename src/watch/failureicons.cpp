#include "watch/failureicons.h"

#include "watch/watchedpostlist.h"

FailureIcons::FailureIcons(const QIcon &warning, QObject *parent)
    : QIdentityProxyModel(parent)
    , m_warning(warning)
{
}

QVariant FailureIcons::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DecorationRole)
        return QIdentityProxyModel::data(index, role);
    const bool failed = !QIdentityProxyModel::data(index, WatchedPostList::FailureRole).toString().isEmpty();
    return failed ? QVariant(m_warning) : QVariant();
}
