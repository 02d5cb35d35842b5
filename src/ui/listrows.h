#pragma once

#include <QObject>

class QAbstractItemView;
class QEvent;

// Tells which row of a list is the chosen one, however it was chosen: mouse, arrow keys,
// Home/End, type-ahead. The chosen row is the current row when it is also selected; a current
// row without a selection (as focusing an untouched list leaves it) is not chosen.
// A double-click and Enter both activate the chosen row, once each.
class ListRows : public QObject
{
    Q_OBJECT
public:
    // Watches list, which already shows its model; owned by it.
    explicit ListRows(QAbstractItemView *list);

    // The chosen row, or -1.
    static int chosenRow(const QAbstractItemView *list);

Q_SIGNALS:
    // The chosen row changed (-1: nothing is chosen any more), or the chosen row was clicked
    // again.
    void rowChosen(int row);
    void rowActivated(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    QAbstractItemView *m_list;
    // What the filter watches, kept as plain objects: events still arrive while the list is
    // being destroyed, when it may no longer be asked for its parts.
    QObject *m_watchedList;
    QObject *m_watchedViewport;
    int m_chosen = -1;
    int m_chosenAtPress = -1;
};
