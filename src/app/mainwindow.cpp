#include "app/mainwindow.h"

#include "app/aboutwindow.h"

#include "app/keyringoption.h"
#include "app/maincontrols.h"
#include "app/mainlayout.h"
#include "app/mainmenus.h"
#include "app/replynotifier.h"
#include "app/statuspanels.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumscontroller.h"
#include "browser/forumspanel.h"
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "compose/templatesettings.h"
#include "core/branding.h"
#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "ui/bringforward.h"
#include "ui/command.h"
#include "ui/messageboxes.h"
#include "ui/placement.h"
#include "ui/skin.h"
#include "watch/embeddedthreadbrowser.h"
#include "watch/postspanel.h"
#include "watch/watchcontroller.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("Form1"));
    // The controls are placed at fixed designed sizes; a compact font (8 points, the size they
    // were designed with) keeps their captions whole.
    QFont compact = font();
    compact.setPointSizeF(8);
    setFont(compact);
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    m_controls = placeMainControls(*this);

    // The designed size of the window, and the least the layout rules allow.
    fitToScreen(this, QSize(twipsToPixels(11265), twipsToPixels(9600)),
                QSize(twipsToPixels(int(kMinimumWindowWidth)), twipsToPixels(int(kMinimumWindowHeight))));

    createControllers();
    createActions();
    createMenus();
}

void MainWindow::createMenus()
{
    MainMenuCommands c;
    c.newMessage = m_compose->newMessageAction();
    c.saveMessage = m_compose->saveAction();
    c.loadMessage = m_compose->loadAction();
    c.exit = m_exit;
    c.preview = m_compose->previewAction();
    c.autoInsert = m_browser->autoInsertAction();
    c.checkReplies = m_watch->checkRepliesAction();
    c.templates = m_compose->templatesAction();
    c.pasteMessage = m_compose->pasteMessageAction();
    c.pasteSubject = m_compose->pasteSubjectAction();
    c.pasteUserName = m_forums->pasteUserNameAction();
    c.pastePassword = m_forums->pastePasswordAction();
    c.autoCheckChoices = m_watch->autoCheckChoices();
    c.keyring = m_keyringOption->action();
    c.modernLinks = m_compose->modernLinksAction();
    c.showAllPosts = m_watch->viewAction(PostsView::ShowAll);
    c.showNewReplies = m_watch->viewAction(PostsView::NewReplies);
    c.reload = m_browser->reloadAction();
    c.back = m_browser->backAction();
    c.forward = m_browser->forwardAction();
    c.addressBar = m_browser->addressBarAction();
    c.help = m_help;
    c.about = m_about;
    buildMainMenus(menuBar(), c);
}

void MainWindow::createActions()
{
    m_exit = makeCommand(this, tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_help = makeCommand(this, tr("View &Help"), QKeySequence(Qt::Key_F1));
    m_about = makeCommand(this, tr("About this software"));
    connect(m_exit, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(m_help, &QAction::triggered, this, [this] { m_context.help.show(this); });
    connect(m_about, &QAction::triggered, this, [this] {
        showAboutWindow(m_context.about, m_context.skin, this, [this] { m_browser->visitWebsiteAction()->trigger(); });
    });
}

MainWindow::~MainWindow()
{
    // The controllers go before the widgets: a page being torn down still answers the scripts
    // it was asked to run, and those answers must find no controller rather than a half-gone window.
    delete m_forums;
    delete m_watch;
    delete m_browser;
    delete m_compose;
}

void MainWindow::createControllers()
{
    SettingsStore &settings = m_context.settings;
    MessageBoxes &boxes = *m_context.messageBoxes;
    m_compose =
        new ComposeController(*m_controls.editor, m_context.templates, settings, boxes, m_context.dataFolder, this);
    auto outgoing = [compose = m_compose] {
        const OutgoingMessage message = compose->outgoing();
        return InsertController::Message{message.text, message.markup, message.plain};
    };
    m_browser = new BrowserController(*m_controls.browser, outgoing, m_context.browser.profile(), settings, boxes,
                                      m_context.dataFolder, m_context.skin, this);
    triggerOnClick(m_controls.editor->autoInsertButton, m_browser->autoInsertAction());
    connect(m_browser, &BrowserController::websiteWindowClosed, &m_context.lifetime,
            &ProgramLifetime::browserWindowClosed);
    m_threadBrowser = std::make_unique<EmbeddedThreadBrowser>(*m_browser);
    m_watch = new WatchController(*m_controls.posts, m_context.watchedPosts, *m_threadBrowser, m_context.probeCookies,
                                  settings, boxes, this);
    m_forums = new ForumsController(*m_controls.forums, m_context.forumLogins, *m_browser, boxes, this);
    connect(m_compose, &ComposeController::pasteRequested, m_browser, &BrowserController::insertAtCaret);
    connect(m_forums, &ForumsController::pasteRequested, m_browser, &BrowserController::insertAtCaret);
    connect(m_browser, &BrowserController::postCheckHit, this, [this] {
        m_watch->watchCurrentPage();
        setPanelText(StatusPanel::State, tr("Watching this thread"), StatusLife::ClearsItself);
    });
    triggerOnClick(m_controls.visitButton, m_browser->visitWebsiteAction());
    connect(m_compose, &ComposeController::statusText, this, &MainWindow::setPanelText);
    connect(m_browser, &BrowserController::statusText, this, &MainWindow::setPanelText);
    connect(m_watch, &WatchController::statusText, this, &MainWindow::setPanelText);
    connect(m_forums, &ForumsController::statusText, this, &MainWindow::setPanelText);
    connect(m_browser, &BrowserController::autoInsertFinished, this, [this](bool inserted) {
        if (!inserted)
            return;
        setPanelText(StatusPanel::State, tr("Message inserted"), StatusLife::ClearsItself);
        // Then the addresses the classic link rules left as plain text, if any.
        m_compose->reportPlainAddresses();
    });
    connect(m_browser, &BrowserController::pasteFinished, this, [this](bool inserted) {
        setPanelText(StatusPanel::State,
                     inserted ? tr("Pasted") : tr("Nothing pasted: click into a field of the page first"),
                     StatusLife::ClearsItself);
    });

    connect(m_watch, &WatchController::replyCheckProgress, m_controls.status, &StatusPanels::showProgress);
    auto *notifier = new ReplyNotifier(this);
    connect(m_watch, &WatchController::newRepliesFound, notifier, &ReplyNotifier::notify);
    connect(notifier, &ReplyNotifier::activationRequested, this, &MainWindow::showNewReplies);
    m_keyringOption = new KeyringOption(*m_forums, m_context.forumLogins, settings, boxes, this);
}

void MainWindow::load()
{
    loadBranding();
    const Branding &brand = branding();
    setWindowTitle(tr("%1 by %2").arg(brand.programName, brand.companyName));
    m_controls.visitButton->setText(tr("Visit %1").arg(brand.websiteAddress));
    m_browser->navigate(brand.websiteAddress);

    QStringList warnings = ensureDataFiles(m_context.dataFolder);

    m_context.watchedPosts.load();
    m_context.forumLogins.load();
    // A list whose file could not be read is said once; its file is then left alone.
    warnings << m_context.watchedPosts.loadError() << m_context.forumLogins.loadError();
    warnings.removeAll(QString());
    m_keyringOption->restore();

    m_context.templates = loadTemplates(m_context.settings);
    updateInterface();
    m_compose->restoreState();
    m_browser->restoreState();
    m_watch->restoreState();
    restoreWindowState();

    if (m_context.skin.active()) {
        replaceLabels(this);
        m_context.skin.apply(this);
    }
    // Shown before the main window itself, and kept above it.
    m_context.help.showAtStartup(this);
    // Said once the help window is up, so the box opens above it.
    reportErrors(warnings);
}

void MainWindow::updateInterface()
{
    m_compose->showFormats();
}

void MainWindow::setPanelText(StatusPanel panel, const QString &text, StatusLife life)
{
    m_controls.status->setText(panel, text, life);
}

QString MainWindow::panelText(StatusPanel panel) const
{
    return m_controls.status->text(panel);
}

void MainWindow::exitProgram()
{
    // Exit ends the program: the orderly shutdown, then every other window goes too.
    m_exitRequested = true;
    close();
}

void MainWindow::showNewReplies()
{
    showNormal();
    bringForward(this);
    m_controls.pageTabs->setCurrentIndex(MainControls::postsTab);
    m_watch->selectPostsTab(PostsView::NewReplies);
}

void MainWindow::reportErrors(const QStringList &errors)
{
    if (!errors.isEmpty())
        m_context.messageBoxes->showMessage(this, branding().programName, errors.join(QLatin1Char('\n')),
                                            QMessageBox::Warning);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;

    QStringList errors;
    const QString postsError = m_context.watchedPosts.save();
    if (!postsError.isEmpty())
        errors.append(postsError);
    const QString loginsError = m_context.forumLogins.save();
    if (!loginsError.isEmpty())
        errors.append(loginsError);
    m_compose->storeState();
    m_browser->storeState();

    m_compose->unloadWindows();
    m_context.help.unload();

    saveWindowState();
    // Closing the main window leaves an open secondary browser to end the program; Exit does not.
    const bool browserStillOpen = m_browser->websiteWindowVisible() && !m_exitRequested;
    if (m_exitRequested)
        m_browser->closeWebsiteWindow();
    auto finish = [this, browserStillOpen] { m_context.lifetime.mainWindowClosed(browserStillOpen); };
    if (errors.isEmpty()) {
        finish();
        return;
    }
    // Tell the user what could not be saved before the program goes away.
    m_context.messageBoxes->showMessage(nullptr, branding().programName, errors.join(QLatin1Char('\n')),
                                        QMessageBox::Warning, finish);
}

void MainWindow::restoreWindowState()
{
    const QByteArray geometry = m_context.settings.read(Settings::windowGeometry);
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void MainWindow::saveWindowState()
{
    m_context.settings.write(Settings::windowGeometry, saveGeometry());
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyMainLayout(m_controls.layoutWidgets());
}
