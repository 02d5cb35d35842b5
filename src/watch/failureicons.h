#pragma once

#include <QIcon>
#include <QIdentityProxyModel>

// Shows the watched posts with a warning icon beside each one the last reply check could not
// measure (the model's FailureRole); the model itself knows no pictures.
class FailureIcons : public QIdentityProxyModel
{
    Q_OBJECT
public:
    FailureIcons(const QIcon &warning, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QIcon m_warning;
};
