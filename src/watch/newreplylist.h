#pragma once

#include <QHash>
#include <QStringListModel>

// The addresses the last reply check found new replies on, one row each, with what it found
// there ("2 new posts", "grew by 1300 bytes") as the row's tooltip and, beside the address, as its
// status tip. A row may open at a place of its own (its first new post, the thread's last page).
class NewReplyList : public QStringListModel
{
    Q_OBJECT
public:
    using QStringListModel::QStringListModel;

    void clear();
    void add(const QString &url);
    void setDetail(const QString &url, const QString &detail);
    void setOpening(const QString &url, const QString &address);
    // Where opening the row shows its new replies: its place of its own, else its address.
    QString openingAt(int row) const;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QHash<QString, QString> m_details;
    QHash<QString, QString> m_openings;
};
