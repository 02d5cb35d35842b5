#include "app/mainwindow.h"

#include "app/aboutwindow.h"
#include "app/helpwindow.h"
#include "app/mainlayoutapply.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumscontroller.h"
#include "browser/forumspanel.h"
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "compose/templatesettings.h"
#include "core/appstate.h"
#include "core/branding.h"
#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "ui/editortext.h"
#include "ui/indexedmenu.h"
#include "ui/messagebox.h"
#include "ui/skin.h"
#include "ui/widgetfactory.h"
#include "watch/postspanel.h"
#include "watch/watchcontroller.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>

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

    createStatusBar();
    createMenus();

    resize(twipsToPixels(11265), twipsToPixels(9600));
    setMinimumSize(twipsToPixels(7000), twipsToPixels(5000));

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
    connect(m_browser, &BrowserController::postCheckHit, m_watch, &WatchController::watchCurrentPage);
    connect(m_visitButton, &QPushButton::clicked, m_browser, &BrowserController::openWebsiteWindow);
    connect(m_compose, &ComposeController::statusText, this, &MainWindow::setPanelText);
    connect(m_browser, &BrowserController::statusText, this, &MainWindow::setPanelText);
    connect(m_watch, &WatchController::statusText, this, &MainWindow::setPanelText);
    connect(m_forums, &ForumsController::statusText, this, &MainWindow::setPanelText);
}

void MainWindow::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel, i == 1 ? 1 : 0);
        m_statusPanels[i] = panel;
    }
    m_statusPanels[0]->setMinimumWidth(twipsToPixels(3735));
}

void MainWindow::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    addIndexedMenu(this, QStringLiteral("fileMenu"), QStringLiteral("&File"),
                   {QStringLiteral("&New Message"), QStringLiteral("&Save Message"), QStringLiteral("&Load Message"),
                    QStringLiteral("E&xit")},
                   [this](int i) { onFileMenu(i); });
    addIndexedMenu(this, QStringLiteral("toolsMenu"), QStringLiteral("&Tools"),
                   {QStringLiteral("&Preview"), QStringLiteral("Auto &Insert"), QStringLiteral("&Check Replies"),
                    QStringLiteral("&Options"), QStringLiteral("Paste Message"), QStringLiteral("Paste Subject"),
                    QStringLiteral("Paste Username"), QStringLiteral("Paste Password")},
                   [this](int i) { onToolsMenu(i); });
    addIndexedMenu(this, QStringLiteral("viewMenu"), QStringLiteral("&View"),
                   {QStringLiteral("&Saved Messages"), QStringLiteral("&All posts"), QStringLiteral("&Replies"),
                    QStringLiteral("&Templates")},
                   [this](int i) { onViewMenu(i); });
    addIndexedMenu(this, QStringLiteral("aboutMenu"), QStringLiteral("&Help"), {QStringLiteral("View &Help")},
                   [this](int i) { onHelpMenu(i); });
    addIndexedMenu(this, QStringLiteral("mnuAbout"), QStringLiteral("About"), {QStringLiteral("About this software")},
                   [this](int i) { onAboutMenu(i); });
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
    m_watch->showPosts();
    m_forums->showForums();

    templates = loadTemplates();
    updateInterface();
    restoreEditor();

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
    if (panel >= 1 && panel <= 3)
        m_statusPanels[panel - 1]->setText(text);
}

QString MainWindow::panelText(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_statusPanels[panel - 1]->text() : QString();
}

void MainWindow::onFileMenu(int index)
{
    switch (index) {
    case 0: m_compose->newMessage(); break;
    case 1: m_compose->saveMessage(); break;
    case 2: m_compose->openSavedMessages(); break;
    case 3: close(); break; // the same orderly shutdown as closing the window, so nothing is lost
    default: break;
    }
}

void MainWindow::onToolsMenu(int index)
{
    switch (index) {
    case 0: m_compose->previewMessage(); break;
    case 1: m_browser->autoInsertMessage(); break;
    case 2:
        m_watch->selectPostsTab(1);
        m_watch->startReplyCheck();
        break;
    case 3: m_compose->openTemplateEditor(); break;
    case 4: m_browser->pasteIntoPage(3); break;
    case 5: m_browser->pasteIntoPage(0); break;
    case 6: m_browser->pasteIntoPage(1); break;
    case 7: m_browser->pasteIntoPage(2); break;
    default: break;
    }
}

void MainWindow::onViewMenu(int index)
{
    switch (index) {
    case 0: m_compose->openSavedMessages(); break;
    case 1: m_watch->selectPostsTab(0); break;
    case 2: m_watch->selectPostsTab(1); break;
    case 3: m_compose->openTemplateEditor(); break;
    default: break;
    }
}

void MainWindow::onHelpMenu(int index)
{
    if (index == 0)
        showHelpWindow(this);
}

void MainWindow::onAboutMenu(int index)
{
    if (index == 0)
        showAboutWindow(this, [this] { m_browser->openWebsiteWindow(); });
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
    const QString postsError = watchedPosts.savePosts();
    if (!postsError.isEmpty())
        errors.append(postsError);
    const QString loginsError = forumLogins.save();
    if (!loginsError.isEmpty())
        errors.append(loginsError);
    const QString sizesError = watchedPosts.saveSizes();
    if (!sizesError.isEmpty())
        errors.append(sizesError);
    writeSetting(QStringLiteral("data"), QStringLiteral("lastMessage"), editorText(m_editorPanel->messageEditor));
    writeSetting(QStringLiteral("data"), QStringLiteral("lastConvert"),
                 QString::number(m_editorPanel->formatList->currentIndex()));

    m_compose->unloadWindows();
    unloadHelpWindow();

    const bool browserStillOpen = m_browser->websiteWindowVisible();
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

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyMainLayout(*this);
}
