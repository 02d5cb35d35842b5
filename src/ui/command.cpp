#include "ui/command.h"

#include <QAbstractButton>
#include <QAction>

QAction *makeCommand(QObject *owner, const QString &caption, const QKeySequence &keys)
{
    auto *action = new QAction(caption, owner);
    action->setShortcut(keys);
    return action;
}

void triggerOnClick(QAbstractButton *button, QAction *action)
{
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
}
