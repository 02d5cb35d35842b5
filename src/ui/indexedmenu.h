#pragma once

#include <QStringList>

#include <functional>

class QMainWindow;
class QMenu;

// Adds a menu whose items form one indexed group: item i is named "<name>_<i>" and triggering it
// calls handler(i), so one handler serves the whole menu.
QMenu *addIndexedMenu(QMainWindow *window, const QString &name, const QString &title, const QStringList &items,
                      const std::function<void(int)> &handler);
