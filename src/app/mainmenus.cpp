#include "app/mainmenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

// A menu item that gives another item's command under a caption of its own.
QAction *alias(QObject *owner, const QString &caption, QAction *command)
{
    auto *item = new QAction(caption, owner);
    QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &title, const QList<QAction *> &items)
{
    QMenu *menu = bar->addMenu(title);
    menu->setObjectName(name);
    for (int position = 0; position < items.size(); ++position) {
        QAction *item = items.at(position);
        item->setObjectName(name + QLatin1Char('_') + QString::number(position));
        menu->addAction(item);
    }
    return menu;
}

} // namespace

void buildMainMenus(QMenuBar *bar, const MainMenuCommands &c)
{
    bar->setObjectName(QStringLiteral("menuBar"));

    addMenu(bar, QStringLiteral("fileMenu"), QCoreApplication::translate("MainWindow", "&File"),
            {c.newMessage, c.saveMessage, c.loadMessage, c.exit});
    QMenu *tools = addMenu(bar, QStringLiteral("toolsMenu"), QCoreApplication::translate("MainWindow", "&Tools"),
                           {c.preview, c.autoInsert, c.checkReplies, c.templates, c.pasteMessage, c.pasteSubject,
                            c.pasteUserName, c.pastePassword});
    tools->addSeparator();
    QMenu *autoCheck = tools->addMenu(QCoreApplication::translate("MainWindow", "Check Replies &Automatically"));
    autoCheck->setObjectName(QStringLiteral("autoCheckMenu"));
    const QList<QAction *> choices = c.autoCheckChoices->actions();
    for (int position = 0; position < choices.size(); ++position) {
        choices.at(position)->setObjectName(QStringLiteral("autoCheckMenu_%1").arg(position));
        autoCheck->addAction(choices.at(position));
    }
    tools->addAction(c.keyring);
    tools->addAction(c.modernLinks);

    addMenu(bar, QStringLiteral("viewMenu"), QCoreApplication::translate("MainWindow", "&View"),
            {alias(bar, QCoreApplication::translate("MainWindow", "&Saved Messages"), c.loadMessage), c.showAllPosts,
             c.showNewReplies, alias(bar, QCoreApplication::translate("MainWindow", "&Templates"), c.templates),
             c.reload, c.back, c.forward, c.addressBar});
    addMenu(bar, QStringLiteral("aboutMenu"), QCoreApplication::translate("MainWindow", "&Help"), {c.help});
    addMenu(bar, QStringLiteral("mnuAbout"), QCoreApplication::translate("MainWindow", "About"), {c.about});
}
