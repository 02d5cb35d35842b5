#include "app/mainmenus.h"

#include "app/aboutwindow.h"
#include "app/helpwindow.h"
#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "compose/composecontroller.h"
#include "ui/indexedmenu.h"
#include "watch/replyschedule.h"
#include "watch/watchcontroller.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QWebEngineView>

namespace {

void setShortcut(const MainWindow &window, const char *item, const QKeySequence &keys)
{
    if (QAction *action = window.findChild<QAction *>(QLatin1String(item)))
        action->setShortcut(keys);
}

} // namespace

MainMenus::MainMenus(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    window.menuBar()->setObjectName(QStringLiteral("menuBar"));
    addIndexedMenu(&window, QStringLiteral("fileMenu"), QStringLiteral("&File"),
                   {QStringLiteral("&New Message"), QStringLiteral("&Save Message"), QStringLiteral("&Load Message"),
                    QStringLiteral("E&xit")},
                   [this](int i) { onFileMenu(i); });
    QMenu *tools =
        addIndexedMenu(&window, QStringLiteral("toolsMenu"), QStringLiteral("&Tools"),
                       {QStringLiteral("&Preview"), QStringLiteral("Auto &Insert"), QStringLiteral("&Check Replies"),
                        QStringLiteral("&Options"), QStringLiteral("Paste Message"), QStringLiteral("Paste Subject"),
                        QStringLiteral("Paste Username"), QStringLiteral("Paste Password")},
                       [this](int i) { onToolsMenu(i); });
    addIndexedMenu(&window, QStringLiteral("viewMenu"), QStringLiteral("&View"),
                   {QStringLiteral("&Saved Messages"), QStringLiteral("&All posts"), QStringLiteral("&Replies"),
                    QStringLiteral("&Templates"), QStringLiteral("Re&load Page"), QStringLiteral("&Back"),
                    QStringLiteral("&Forward"), QStringLiteral("A&ddress Bar")},
                   [this](int i) { onViewMenu(i); });
    addIndexedMenu(&window, QStringLiteral("aboutMenu"), QStringLiteral("&Help"), {QStringLiteral("View &Help")},
                   [&window](int) { showHelpWindow(&window); });
    addIndexedMenu(&window, QStringLiteral("mnuAbout"), QStringLiteral("About"),
                   {QStringLiteral("About this software")},
                   [&window](int) { showAboutWindow(&window, [&window] { window.browser().openWebsiteWindow(); }); });

    setShortcut(window, "fileMenu_0", QKeySequence::New);
    setShortcut(window, "fileMenu_1", QKeySequence::Save);
    setShortcut(window, "fileMenu_2", QKeySequence::Open);
    setShortcut(window, "fileMenu_3", QKeySequence(Qt::CTRL | Qt::Key_Q));
    setShortcut(window, "toolsMenu_0", QKeySequence(Qt::CTRL | Qt::Key_P));
    setShortcut(window, "toolsMenu_1", QKeySequence(Qt::CTRL | Qt::Key_I));
    setShortcut(window, "toolsMenu_2", QKeySequence(Qt::CTRL | Qt::Key_R));
    setShortcut(window, "viewMenu_4", QKeySequence(Qt::Key_F5));
    setShortcut(window, "viewMenu_5", QKeySequence(Qt::ALT | Qt::Key_Left));
    setShortcut(window, "viewMenu_6", QKeySequence(Qt::ALT | Qt::Key_Right));
    setShortcut(window, "viewMenu_7", QKeySequence(Qt::CTRL | Qt::Key_L));
    setShortcut(window, "aboutMenu_0", QKeySequence(Qt::Key_F1));

    tools->addSeparator();
    addAutoCheckMenu();

    m_keyring = tools->addAction(QStringLiteral("Keep Passwords in the Desktop Keyring"));
    m_keyring->setObjectName(QStringLiteral("keyringPasswords"));
    m_keyring->setCheckable(true);
    connect(m_keyring, &QAction::triggered, this, &MainMenus::keyringChosen);
    m_modernLinks = tools->addAction(QStringLiteral("Modern Links (https, www., query strings)"));
    m_modernLinks->setObjectName(QStringLiteral("modernLinksItem"));
    m_modernLinks->setCheckable(true);
    m_modernLinks->setChecked(ComposeController::storedLinkRules() == LinkRules::Modern);
    // The compose controller comes later than the menus; it is looked up when the item changes.
    connect(m_modernLinks, &QAction::toggled, this, [this](bool modern) { m_window.compose().useModernLinks(modern); });
}

void MainMenus::showKeyring(bool on)
{
    m_keyring->setChecked(on);
}

QAction *MainMenus::modernLinksAction() const
{
    return m_modernLinks;
}

void MainMenus::addAutoCheckMenu()
{
    QMenu *tools = m_window.findChild<QMenu *>(QStringLiteral("toolsMenu"));
    QMenu *menu = tools->addMenu(QStringLiteral("Check Replies &Automatically"));
    menu->setObjectName(QStringLiteral("autoCheckMenu"));
    m_autoCheck = new QActionGroup(menu);
    QList<int> choices = ReplySchedule::offeredMinutes();
    choices.prepend(0);
    for (int i = 0; i < choices.size(); ++i) {
        const int minutes = choices.at(i);
        QAction *action =
            menu->addAction(minutes == 0 ? QStringLiteral("&Off") : QStringLiteral("Every %1 minutes").arg(minutes));
        action->setObjectName(QStringLiteral("autoCheckMenu_%1").arg(i));
        action->setCheckable(true);
        action->setData(minutes);
        m_autoCheck->addAction(action);
        connect(action, &QAction::triggered, this, [this, minutes] { Q_EMIT autoCheckChosen(minutes); });
    }
    showAutoCheck(0);
}

void MainMenus::showAutoCheck(int minutes)
{
    for (QAction *action : m_autoCheck->actions())
        action->setChecked(action->data().toInt() == minutes);
}

void MainMenus::onFileMenu(int index)
{
    ComposeController &compose = m_window.compose();
    switch (index) {
    case 0: compose.newMessage(); break;
    case 1: compose.saveMessage(); break;
    case 2: compose.openSavedMessages(); break;
    case 3: Q_EMIT exitRequested(); break;
    default: break;
    }
}

void MainMenus::onToolsMenu(int index)
{
    BrowserController &browser = m_window.browser();
    switch (index) {
    case 0: m_window.compose().previewMessage(); break;
    case 1: browser.autoInsertMessage(); break;
    case 2:
        m_window.watch().selectPostsTab(1);
        m_window.watch().startReplyCheck();
        break;
    case 3: m_window.compose().openTemplateEditor(); break;
    case 4: browser.pasteIntoPage(3); break;
    case 5: browser.pasteIntoPage(0); break;
    case 6: browser.pasteIntoPage(1); break;
    case 7: browser.pasteIntoPage(2); break;
    default: break;
    }
}

void MainMenus::onViewMenu(int index)
{
    BrowserPanel *browser = m_window.browserPanel();
    switch (index) {
    case 0: m_window.compose().openSavedMessages(); break;
    case 1: m_window.watch().selectPostsTab(0); break;
    case 2: m_window.watch().selectPostsTab(1); break;
    case 3: m_window.compose().openTemplateEditor(); break;
    case 4: browser->view->reload(); break;
    case 5: browser->view->back(); break;
    case 6: browser->view->forward(); break;
    case 7:
        browser->addressBox->setFocus(Qt::ShortcutFocusReason);
        browser->addressBox->selectAll();
        break;
    default: break;
    }
}
