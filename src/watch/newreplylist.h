#pragma once

#include <QHash>
#include <QStringListModel>

// The addresses the last reply check found new replies on, one row each, with what it found
// there ("2 new posts", "grew by 1300 bytes") as the row's tooltip and, beside the address, as its
// status tip.
class NewReplyList : public QStringListModel
{
    Q_OBJECT
public:
    using QStringListModel::QStringListModel;

    void clear();
    void add(const QString &url);
    void setDetail(const QString &url, const QString &detail);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QHash<QString, QString> m_details;
};
