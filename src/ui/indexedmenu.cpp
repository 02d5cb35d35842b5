#include "ui/indexedmenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

QMenu *addIndexedMenu(QMainWindow *window, const QString &name, const QString &title, const QStringList &items,
                      const std::function<void(int)> &handler)
{
    QMenu *menu = window->menuBar()->addMenu(title);
    menu->setObjectName(name);
    for (int i = 0; i < items.size(); ++i) {
        QAction *action = menu->addAction(items.at(i));
        action->setObjectName(name + QLatin1Char('_') + QString::number(i));
        QObject::connect(action, &QAction::triggered, window, [handler, i] { handler(i); });
    }
    return menu;
}
