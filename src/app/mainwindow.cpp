#include "app/mainwindow.h"

#include "app/aboutwindow.h"
#include "app/helpwindow.h"
#include "app/keyringoption.h"
#include "app/mainlayoutapply.h"
#include "app/mainmenus.h"
#include "app/replynotifier.h"
#include "app/statuspanels.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/browserprofile.h"
#include "browser/forumscontroller.h"
#include "browser/forumspanel.h"
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "compose/templatesettings.h"
#include "core/appstate.h"
#include "core/branding.h"
#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "ui/accessibility.h"
#include "ui/editortext.h"
#include "ui/messagebox.h"
#include "ui/placement.h"
#include "ui/skin.h"
#include "ui/widgetfactory.h"
#include "watch/browsercookiejar.h"
#include "watch/postspanel.h"
#include "watch/replyschedule.h"
#include "watch/watchcontroller.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    // The controls are placed at fixed designed sizes; a compact font keeps their captions whole.
    QFont compact = font();
    compact.setPointSizeF(8);
    setFont(compact);
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    m_editorPanel = new MessageEditorPanel(central);
    m_visitButton = makeButton(central, QStringLiteral("Command1"), QString(), QStringLiteral("Visit us!"),
                               twipsRect(8040, 60, 2115, 795));
    m_browserPanel = new BrowserPanel(central);
    m_pageTabs = makeControl<QTabBar>(central, QStringLiteral("TabStrip2"), twipsRect(60, 5160, 3735, 4815));
    m_pageTabs->addTab(QStringLiteral("Your Forums"));
    m_pageTabs->addTab(QStringLiteral("Your Posts"));
    m_pageTabs->setExpanding(false);
    m_pageTabs->setDrawBase(true);
    m_forumsPanel = new ForumsPanel(central);
    m_postsPanel = new PostsPanel(central);
    connect(m_pageTabs, &QTabBar::currentChanged, this, [this](int index) {
        m_postsPanel->setVisible(index == 1);
        m_forumsPanel->setVisible(index == 0);
    });

    m_status = new StatusPanels(statusBar());
    m_menus = new MainMenus(*this);
    // Tab goes down the left column, then the right one.
    applyAccessibility(this, {m_editorPanel, m_pageTabs, m_forumsPanel, m_postsPanel, m_visitButton, m_browserPanel});

    fitToScreen(this, QSize(twipsToPixels(11265), twipsToPixels(9600)),
                QSize(twipsToPixels(7000), twipsToPixels(5000)));

    createControllers();
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
    m_compose = new ComposeController(*m_editorPanel, templates, this);
    m_browser = new BrowserController(*m_browserPanel, *m_editorPanel, *m_forumsPanel, *m_compose, this);
    m_watch = new WatchController(*m_postsPanel, watchedPosts, *m_browser, this);
    m_forums = new ForumsController(*m_forumsPanel, forumLogins, *m_browser, this);
    connect(m_browser, &BrowserController::postCheckHit, this, [this] {
        m_watch->watchCurrentPage();
        setPanelText(1, QStringLiteral("Watching this thread"));
    });
    connect(m_visitButton, &QPushButton::clicked, m_browser, &BrowserController::openWebsiteWindow);
    connect(m_compose, &ComposeController::statusText, this, &MainWindow::setPanelText);
    connect(m_browser, &BrowserController::statusText, this, &MainWindow::setPanelText);
    connect(m_watch, &WatchController::statusText, this, &MainWindow::setPanelText);
    connect(m_forums, &ForumsController::statusText, this, &MainWindow::setPanelText);
    connect(m_browser, &BrowserController::autoInsertFinished, this, [this](bool inserted) {
        if (inserted)
            setPanelText(1, QStringLiteral("Message inserted"));
    });
    connect(m_browser, &BrowserController::pasteFinished, this, [this](bool inserted) {
        setPanelText(1, inserted ? QStringLiteral("Pasted")
                                 : QStringLiteral("Nothing pasted: click into a field of the page first"));
    });

    // The probes send the cookies the browser holds, so members-only threads measure as members see them.
    QWebEngineProfile *profile = browserProfile();
    if (!profile->isOffTheRecord())
        m_watch->cookieJar().keepIn(browserProfileFolder() + QStringLiteral("/probe-cookies.txt"));
    QWebEngineCookieStore *cookies = profile->cookieStore();
    connect(cookies, &QWebEngineCookieStore::cookieAdded, &m_watch->cookieJar(), &BrowserCookieJar::addCookie);
    connect(cookies, &QWebEngineCookieStore::cookieRemoved, &m_watch->cookieJar(), &BrowserCookieJar::removeCookie);

    connect(m_watch, &WatchController::replyCheckProgress, m_status, &StatusPanels::showProgress);
    auto *notifier = new ReplyNotifier(this);
    connect(m_watch, &WatchController::newRepliesFound, notifier, &ReplyNotifier::notify);
    connect(notifier, &ReplyNotifier::activationRequested, this, &MainWindow::showNewReplies);
    connect(m_menus, &MainMenus::exitRequested, this, &MainWindow::exitProgram);
    connect(m_menus, &MainMenus::autoCheckChosen, this, [this](int minutes) {
        m_watch->setAutoCheckMinutes(minutes);
        m_menus->showAutoCheck(minutes);
        writeSetting(QStringLiteral("Settings"), QStringLiteral("autoCheckMinutes"), QString::number(minutes));
    });
    m_keyringOption = new KeyringOption(*m_menus, *m_forums, forumLogins, this);
}

void MainWindow::load()
{
    loadBranding();
    const Branding &brand = branding();
    setWindowTitle(brand.programName + QStringLiteral(" by ") + brand.companyName);
    m_visitButton->setText(QStringLiteral("Visit ") + brand.websiteAddress);
    m_browser->navigate(brand.websiteAddress);

    reportErrors(ensureDataFiles());

    watchedPosts.load();
    forumLogins.load();
    // A list whose file could not be read is said once; its file is then left alone.
    QStringList unreadable = {watchedPosts.loadError(), forumLogins.loadError()};
    unreadable.removeAll(QString());
    reportErrors(unreadable);
    m_watch->showPosts();
    m_forums->showForums();
    m_keyringOption->restore();

    templates = loadTemplates();
    updateInterface();
    restoreEditor();
    restoreWindowState();

    if (skinActive()) {
        replaceLabels(this);
        applySkin(this);
    }
    // Shown before the main window itself, and kept above it.
    showHelpAtStartup(this);
}

void MainWindow::restoreEditor()
{
    const QString message = readSetting(QStringLiteral("data"), QStringLiteral("lastMessage"), QString());
    if (!message.isEmpty() && message != QLatin1String(" "))
        setEditorText(m_editorPanel->messageEditor, message);

    // Setting the text runs the subject's change handling, which stores it again when it changed.
    m_editorPanel->subjectBox->setText(
        readSetting(QStringLiteral("data"), QStringLiteral("lastSubject"), QStringLiteral("Type Subject Here")));

    // A stored position that is not a number or not in the rebuilt list selects "text".
    bool ok = false;
    const int position =
        readSetting(QStringLiteral("data"), QStringLiteral("lastConvert"), QStringLiteral("0")).trimmed().toInt(&ok);
    QComboBox *formats = m_editorPanel->formatList;
    formats->setCurrentIndex(ok && position >= 0 && position < formats->count() ? position : 0);
}

void MainWindow::updateInterface()
{
    m_compose->showFormats();
}

void MainWindow::setPanelText(int panel, const QString &text)
{
    m_status->setText(panel, text);
}

QString MainWindow::panelText(int panel) const
{
    return m_status->text(panel);
}

QLabel *MainWindow::statusPanel(int panel) const
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
    raise();
    activateWindow();
    m_pageTabs->setCurrentIndex(1);
    m_watch->selectPostsTab(1);
}

void MainWindow::reportErrors(const QStringList &errors)
{
    if (!errors.isEmpty())
        showMessage(this, branding().programName, errors.join(QLatin1Char('\n')), QMessageBox::Warning);
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
    writeSetting(QStringLiteral("data"), QStringLiteral("lastMessage"), editorText(m_editorPanel->messageEditor));
    writeSetting(QStringLiteral("data"), QStringLiteral("lastConvert"),
                 QString::number(m_editorPanel->formatList->currentIndex()));

    m_compose->unloadWindows();
    unloadHelpWindow();

    saveWindowState();
    // Closing the main window leaves an open secondary browser to end the program; Exit does not.
    const bool browserStillOpen = m_browser->websiteWindowVisible() && !m_exitRequested;
    if (m_exitRequested)
        m_browser->closeWebsiteWindow();
    auto finish = [browserStillOpen] {
        if (browserStillOpen) {
            setPendingExit(true);
            return;
        }
        if (skinActive())
            stopSkin();
        endProgram();
    };
    if (errors.isEmpty()) {
        finish();
        return;
    }
    // Tell the user what could not be saved before the program goes away.
    showMessage(nullptr, branding().programName, errors.join(QLatin1Char('\n')), QMessageBox::Warning, finish);
}

void MainWindow::restoreWindowState()
{
    const QByteArray geometry = QByteArray::fromBase64(
        readSetting(QStringLiteral("Settings"), QStringLiteral("windowGeometry"), QString()).toLatin1());
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    const QString noPopups = readSetting(QStringLiteral("Settings"), QStringLiteral("noPopups"), QStringLiteral("1"));
    m_browserPanel->noPopupsBox->setChecked(noPopups.trimmed() != QLatin1String("0"));
    const int minutes = ReplySchedule::minutesFromSetting(
        readSetting(QStringLiteral("Settings"), QStringLiteral("autoCheckMinutes"), QStringLiteral("0")));
    m_watch->setAutoCheckMinutes(minutes);
    m_menus->showAutoCheck(minutes);
}

void MainWindow::saveWindowState()
{
    writeSetting(QStringLiteral("Settings"), QStringLiteral("windowGeometry"),
                 QString::fromLatin1(saveGeometry().toBase64()));
    writeSetting(QStringLiteral("Settings"), QStringLiteral("noPopups"),
                 m_browserPanel->noPopupsBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyMainLayout(*this);
}
