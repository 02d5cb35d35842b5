#pragma once

#include <QIcon>
#include <QIdentityProxyModel>

// Shows the watched posts with a warning icon beside each one the last reply check could not
// measure (the model's FailureRole) and an information icon beside each one it only noted
// (NoteRole); the model itself knows no pictures.
class FailureIcons : public QIdentityProxyModel
{
    Q_OBJECT
public:
    FailureIcons(const QIcon &warning, const QIcon &information, QObject *parent);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QIcon m_warning;
    QIcon m_information;
};
