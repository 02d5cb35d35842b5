#include "app/mainwindow.h"

#include "app/aboutwindow.h"

#include "app/keyringoption.h"
#include "app/mainlayout.h"
#include "app/mainlayoutwidgets.h"
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
#include "ui/accessibility.h"
#include "ui/bringforward.h"
#include "ui/command.h"
#include "ui/designgeometry.h"
#include "ui/messageboxes.h"
#include "ui/placement.h"
#include "ui/skin.h"
#include "ui/widgetfactory.h"
#include "watch/embeddedthreadbrowser.h"
#include "watch/postspanel.h"
#include "watch/watchcontroller.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , watchedPosts(context.watchedPosts)
    , forumLogins(context.forumLogins)
    , templates(context.templates)
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

    m_editorPanel = new MessageEditorPanel(central);
    m_visitButton = makeButton(central, QStringLiteral("Command1"), QString(), tr("Visit us!"),
                               twipsRect(DesignGeometry::command1));
    m_browserPanel = new BrowserPanel(central);
    m_pageTabs = makeControl<QTabBar>(central, QStringLiteral("TabStrip2"), twipsRect(DesignGeometry::tabStrip2));
    m_pageTabs->addTab(tr("Your Forums"));
    m_pageTabs->addTab(tr("Your Posts"));
    m_pageTabs->setExpanding(false);
    m_pageTabs->setDrawBase(true);
    m_forumsPanel = new ForumsPanel(central);
    m_postsPanel = new PostsPanel(central);
    connect(m_pageTabs, &QTabBar::currentChanged, this, [this](int tab) {
        m_postsPanel->setVisible(tab == postsTab);
        m_forumsPanel->setVisible(tab == forumsTab);
    });

    m_status = new StatusPanels(statusBar());
    // Tab goes down the left column, then the right one.
    applyAccessibility(this, {m_editorPanel, m_pageTabs, m_forumsPanel, m_postsPanel, m_visitButton, m_browserPanel});

    // The designed size of the window, and the least the layout rules allow.
    fitToScreen(this, QSize(twipsToPixels(11265), twipsToPixels(9600)),
                QSize(twipsToPixels(int(kMinimumWindowWidth)), twipsToPixels(int(kMinimumWindowHeight))));

    createControllers();
    createActions();
    buildMainMenus(*this);
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
    m_compose = new ComposeController(*m_editorPanel, templates, settings, boxes, m_context.dataFolder, this);
    m_browser =
        new BrowserController(*m_browserPanel, *m_editorPanel, *m_forumsPanel, *m_compose, m_context.browser.profile(),
                              settings, boxes, m_context.dataFolder, m_context.skin, this);
    connect(m_browser, &BrowserController::websiteWindowClosed, &m_context.lifetime,
            &ProgramLifetime::browserWindowClosed);
    m_threadBrowser = std::make_unique<EmbeddedThreadBrowser>(*m_browser);
    m_watch = new WatchController(*m_postsPanel, watchedPosts, *m_threadBrowser, m_context.probeCookies, settings,
                                  boxes, this);
    m_forums = new ForumsController(*m_forumsPanel, forumLogins, *m_browser, boxes, this);
    connect(m_browser, &BrowserController::postCheckHit, this, [this] {
        m_watch->watchCurrentPage();
        setPanelText(StatusPanel::State, tr("Watching this thread"), StatusLife::ClearsItself);
    });
    triggerOnClick(m_visitButton, m_browser->visitWebsiteAction());
    connect(m_compose, &ComposeController::statusText, this, &MainWindow::setPanelText);
    connect(m_browser, &BrowserController::statusText, this, &MainWindow::setPanelText);
    connect(m_watch, &WatchController::statusText, this, &MainWindow::setPanelText);
    connect(m_forums, &ForumsController::statusText, this, &MainWindow::setPanelText);
    connect(m_browser, &BrowserController::autoInsertFinished, this, [this](bool inserted) {
        if (inserted)
            setPanelText(StatusPanel::State, tr("Message inserted"), StatusLife::ClearsItself);
    });
    connect(m_browser, &BrowserController::pasteFinished, this, [this](bool inserted) {
        setPanelText(StatusPanel::State,
                     inserted ? tr("Pasted") : tr("Nothing pasted: click into a field of the page first"),
                     StatusLife::ClearsItself);
    });

    connect(m_watch, &WatchController::replyCheckProgress, m_status, &StatusPanels::showProgress);
    auto *notifier = new ReplyNotifier(this);
    connect(m_watch, &WatchController::newRepliesFound, notifier, &ReplyNotifier::notify);
    connect(notifier, &ReplyNotifier::activationRequested, this, &MainWindow::showNewReplies);
    m_keyringOption = new KeyringOption(*m_forums, forumLogins, settings, boxes, this);
}

void MainWindow::load()
{
    loadBranding();
    const Branding &brand = branding();
    setWindowTitle(tr("%1 by %2").arg(brand.programName, brand.companyName));
    m_visitButton->setText(tr("Visit %1").arg(brand.websiteAddress));
    m_browser->navigate(brand.websiteAddress);

    QStringList warnings = ensureDataFiles(m_context.dataFolder);

    watchedPosts.load();
    forumLogins.load();
    // A list whose file could not be read is said once; its file is then left alone.
    warnings << watchedPosts.loadError() << forumLogins.loadError();
    warnings.removeAll(QString());
    m_keyringOption->restore();

    templates = loadTemplates(m_context.settings);
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
    m_status->setText(panel, text, life);
}

QString MainWindow::panelText(StatusPanel panel) const
{
    return m_status->text(panel);
}

QLabel *MainWindow::statusPanel(StatusPanel panel) const
{
    return m_status->panel(panel);
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
    m_pageTabs->setCurrentIndex(postsTab);
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
    const QString postsError = watchedPosts.save();
    if (!postsError.isEmpty())
        errors.append(postsError);
    const QString loginsError = forumLogins.save();
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
    applyMainLayout(mainLayoutWidgets(*this));
}
