#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QStringList>

// The entries of a list or drop-down list, in order.
inline QStringList itemTexts(const QAbstractItemView *list)
{
    QStringList texts;
    const QAbstractItemModel *model = list->model();
    for (int row = 0; model && row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

inline QStringList itemTexts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

// A list's rows as the user meets them.
inline int rowCount(const QAbstractItemView *list)
{
    return list->model()->rowCount();
}

inline QModelIndex rowIndex(const QAbstractItemView *list, int row)
{
    return list->model()->index(row, 0);
}

// Makes row current and selected, as a click does; -1 chooses nothing.
inline void chooseRow(QAbstractItemView *list, int row)
{
    list->setCurrentIndex(row < 0 ? QModelIndex() : rowIndex(list, row));
}

inline int currentRow(const QAbstractItemView *list)
{
    const QModelIndex current = list->currentIndex();
    return current.isValid() ? current.row() : -1;
}
