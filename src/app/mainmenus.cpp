#include "app/mainmenus.h"

#include "app/keyringoption.h"
#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "compose/composecontroller.h"
#include "watch/watchcontroller.h"

#include <QAction>
#include <QActionGroup>
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

void buildMainMenus(MainWindow &window)
{
    ComposeController &compose = window.compose();
    BrowserController &browser = window.browser();
    WatchController &watch = window.watch();
    QMenuBar *bar = window.menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    addMenu(bar, QStringLiteral("fileMenu"), MainWindow::tr("&File"),
            {compose.newMessageAction(), compose.saveAction(), compose.loadAction(), window.exitAction()});
    QMenu *tools = addMenu(bar, QStringLiteral("toolsMenu"), MainWindow::tr("&Tools"),
                           {compose.previewAction(), browser.autoInsertAction(), watch.checkRepliesAction(),
                            compose.templatesAction(), browser.pasteAction(PasteTarget::Message),
                            browser.pasteAction(PasteTarget::Subject), browser.pasteAction(PasteTarget::UserName),
                            browser.pasteAction(PasteTarget::Password)});
    tools->addSeparator();
    QMenu *autoCheck = tools->addMenu(MainWindow::tr("Check Replies &Automatically"));
    autoCheck->setObjectName(QStringLiteral("autoCheckMenu"));
    const QList<QAction *> choices = watch.autoCheckChoices()->actions();
    for (int position = 0; position < choices.size(); ++position) {
        choices.at(position)->setObjectName(QStringLiteral("autoCheckMenu_%1").arg(position));
        autoCheck->addAction(choices.at(position));
    }
    tools->addAction(window.keyringOption().action());
    tools->addAction(compose.modernLinksAction());

    addMenu(bar, QStringLiteral("viewMenu"), MainWindow::tr("&View"),
            {alias(bar, MainWindow::tr("&Saved Messages"), compose.loadAction()), watch.viewAction(PostsView::ShowAll),
             watch.viewAction(PostsView::NewReplies),
             alias(bar, MainWindow::tr("&Templates"), compose.templatesAction()), browser.reloadAction(),
             browser.backAction(), browser.forwardAction(), browser.addressBarAction()});
    addMenu(bar, QStringLiteral("aboutMenu"), MainWindow::tr("&Help"), {window.helpAction()});
    addMenu(bar, QStringLiteral("mnuAbout"), MainWindow::tr("About"), {window.aboutAction()});
}
