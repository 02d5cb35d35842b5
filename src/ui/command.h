#pragma once

#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QAction;
class QObject;

// A command the user can give: one QAction, owned by the controller of its area. The menus show
// it and its buttons trigger it, so every way of giving the command runs the same code.
QAction *makeCommand(QObject *owner, const QString &caption, const QKeySequence &keys = QKeySequence());
// Clicking the button triggers the action.
void triggerOnClick(QAbstractButton *button, QAction *action);
