#include "ui/listrows.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>

ListRows::ListRows(QAbstractItemView *list)
    : QObject(list)
    , m_list(list)
    , m_watchedList(list)
    , m_watchedViewport(list->viewport())
{
    // A mouse press moves the current row before it selects it; a key selects first and moves
    // the current row after. Following both signals, and waiting while the two disagree, reports
    // each choice once.
    QItemSelectionModel *selection = list->selectionModel();
    connect(selection, &QItemSelectionModel::currentRowChanged, this, &ListRows::follow);
    connect(selection, &QItemSelectionModel::selectionChanged, this, &ListRows::follow);
    // A click on the row that is already chosen shows it again.
    connect(list, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        const int row = index.row();
        if (row == m_chosen && row == m_chosenAtPress)
            Q_EMIT rowChosen(row);
    });
    // Not activated: depending on the style that fires on a single click or on Enter, and
    // Enter is handled below for every style.
    connect(list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { Q_EMIT rowActivated(index.row()); });
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
}

int ListRows::chosenRow(const QAbstractItemView *list)
{
    const QModelIndex current = list->currentIndex();
    return current.isValid() && list->selectionModel()->isSelected(current) ? current.row() : -1;
}

void ListRows::follow()
{
    int row = chosenRow(m_list);
    if (row < 0 && m_list->selectionModel()->hasSelection())
        return; // halfway through a move: the other signal follows
    if (row == m_chosen)
        return;
    m_chosen = row;
    Q_EMIT rowChosen(row);
}

bool ListRows::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedViewport && event->type() == QEvent::MouseButtonPress) {
        m_chosenAtPress = m_chosen;
    } else if (watched == m_watchedList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int row = chosenRow(m_list);
            if (row >= 0)
                Q_EMIT rowActivated(row);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
