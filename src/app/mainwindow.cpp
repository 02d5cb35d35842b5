#include "app/mainwindow.h"

#include "app/aboutwindow.h"
#include "core/appstate.h"
#include "core/branding.h"
#include "core/datafiles.h"
#include "ui/editortext.h"
#include "app/helpwindow.h"
#include "app/initialmessage.h"
#include "app/mainlayoutapply.h"
#include "ui/messagebox.h"
#include "core/settingsstore.h"
#include "ui/skin.h"
#include "ui/twips.h"
#include "browser/browsercontroller.h"
#include "browser/forumscontroller.h"
#include "compose/composecontroller.h"
#include "compose/templatesettings.h"
#include "watch/watchcontroller.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QWebEngineView>

namespace {
template<typename W> W *make(QWidget *parent, const QString &name, const QRect &twipsGeometry)
{
    auto *widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(twipsGeometry);
    return widget;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QString &tip,
                        const QRect &geometry)
{
    auto *button = make<QPushButton>(parent, name, geometry);
    button->setText(caption);
    button->setToolTip(tip);
    return button;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *label = make<QLabel>(parent, name, geometry);
    label->setText(caption);
    return label;
}

QToolButton *makeIconButton(QWidget *parent, const QString &name, QStyle::StandardPixmap icon, const QString &tip,
                            const QRect &geometry)
{
    auto *button = make<QToolButton>(parent, name, geometry);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    return button;
}
} // namespace

Form1::Form1(QWidget *parent)
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

    createEditor(central);
    createBrowser(central);
    createForumsPage(central);
    createPostsPage(central);
    createStatusBar();
    createMenus();

    resize(twipsToPixels(11265), twipsToPixels(9600));
    setMinimumSize(twipsToPixels(7000), twipsToPixels(5000));

    m_compose = new ComposeController(*this);
    m_browser = new BrowserController(*this);
    m_watch = new WatchController(*this);
    m_forums = new ForumsController(*this);
    connect(m_browser, &BrowserController::postCheckHit, m_watch, &WatchController::watchCurrentPage);
}

Form1::~Form1()
{
    // The controllers go before the widgets: a page being torn down still answers the scripts
    // it was asked to run, and those answers must find no controller rather than a half-gone window.
    delete m_forums;
    delete m_watch;
    delete m_browser;
    delete m_compose;
}

void Form1::createEditor(QWidget *central)
{
    Frame1 = make<QGroupBox>(central, QStringLiteral("Frame1"), twipsRect(60, 900, 3735, 4215));
    Frame1->setTitle(QStringLiteral("Message Editor"));
    Label1 = makeLabel(Frame1, QStringLiteral("Label1"), QStringLiteral("Subject:"), twipsRect(120, 270, 735, 255));
    txtSubject = make<QLineEdit>(Frame1, QStringLiteral("txtSubject"), twipsRect(840, 240, 2100, 285));
    cmdPaste[0] = makeButton(Frame1, QStringLiteral("cmdPaste_0"), QStringLiteral("Paste"),
                             QStringLiteral("Click within the Subject field on the form you want to paste into, "
                                            "then click here."),
                             twipsRect(3000, 240, 615, 285));
    Label7 = makeLabel(Frame1, QStringLiteral("Label7"), QStringLiteral("Message:"), twipsRect(120, 570, 1000, 255));
    txtMessage = make<QPlainTextEdit>(Frame1, QStringLiteral("txtMessage"), twipsRect(120, 810, 3495, 2370));
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setEditorText(txtMessage, initialMessageText());

    Label2 = makeLabel(Frame1, QStringLiteral("Label2"), QStringLiteral("as"), twipsRect(120, 3300, 240, 255));
    cmbConvert = make<QComboBox>(Frame1, QStringLiteral("cmbConvert"), twipsRect(360, 3240, 1035, 315));
    cmbConvert->setEditable(false);
    cmbConvert->setToolTip(QStringLiteral("Select the format you would like to use when your message is inserted."));
    cmdMessage = makeButton(Frame1, QStringLiteral("cmdMessage"), QStringLiteral("Auto-Insert"),
                            QStringLiteral("Once you are on the page where you can post your message, click here "
                                           "to insert it."),
                            twipsRect(1440, 3240, 975, 315));
    cmdPaste[3] = makeButton(Frame1, QStringLiteral("cmdPaste_3"), QStringLiteral("Paste Message"),
                             QStringLiteral("Click within the message area on the form you want to paste into, "
                                            "then click here."),
                             twipsRect(2460, 3240, 1155, 315));
    cmdOptions = makeButton(Frame1, QStringLiteral("cmdOptions"), QStringLiteral("Options"), QStringLiteral("Options"),
                            twipsRect(120, 3660, 660, 375));
    cmdSave = makeButton(Frame1, QStringLiteral("cmdSave"), QStringLiteral("Save"),
                         QStringLiteral("Save the current message"), twipsRect(810, 3660, 660, 375));
    cmdLoad = makeButton(Frame1, QStringLiteral("cmdLoad"), QStringLiteral("Load"),
                         QStringLiteral("Load a saved message"), twipsRect(1500, 3660, 660, 375));
    cmdPreview = makeButton(Frame1, QStringLiteral("cmdPreview"), QStringLiteral("Preview"),
                            QStringLiteral("See a preview of your message in the currently selected format"),
                            twipsRect(2190, 3660, 705, 375));
    cmdCopy = makeButton(Frame1, QStringLiteral("cmdCopy"), QStringLiteral("Copy"),
                         QStringLiteral("Copy your message to the clipboard in the selected format"),
                         twipsRect(2925, 3660, 690, 375));
}

void Form1::createBrowser(QWidget *central)
{
    Command1 = makeButton(central, QStringLiteral("Command1"), QString(), QStringLiteral("Visit us!"),
                          twipsRect(8040, 60, 2115, 795));
    Frame2 = make<QGroupBox>(central, QStringLiteral("Frame2"), twipsRect(3840, 900, 6375, 7395));
    Frame2->setTitle(QStringLiteral("Browser"));
    Label5 = makeLabel(Frame2, QStringLiteral("Label5"), QStringLiteral("URL:"), twipsRect(120, 270, 405, 255));
    Text5 = make<QLineEdit>(Frame2, QStringLiteral("Text5"), twipsRect(540, 240, 4875, 315));
    Command3 = makeIconButton(Frame2, QStringLiteral("Command3"), QStyle::SP_ArrowRight,
                              QStringLiteral("browse the entered url"), twipsRect(5460, 240, 795, 315));
    Command4 = makeIconButton(Frame2, QStringLiteral("Command4"), QStyle::SP_ArrowBack, QStringLiteral("back"),
                              twipsRect(540, 600, 435, 435));
    Command5 = makeIconButton(Frame2, QStringLiteral("Command5"), QStyle::SP_ArrowForward, QStringLiteral("forward"),
                              twipsRect(1020, 600, 435, 435));
    Command6 = makeIconButton(Frame2, QStringLiteral("Command6"), QStyle::SP_BrowserStop, QStringLiteral("stop"),
                              twipsRect(1500, 600, 435, 435));
    Command7_1 = makeIconButton(Frame2, QStringLiteral("Command7_1"), QStyle::SP_BrowserReload,
                                QStringLiteral("refresh"), twipsRect(1980, 600, 435, 435));
    Check1 = make<QCheckBox>(Frame2, QStringLiteral("Check1"), twipsRect(2520, 660, 1500, 315));
    Check1->setText(QStringLiteral("No Popups"));
    Check1->setChecked(true);
    WebBrowser1 = make<QWebEngineView>(Frame2, QStringLiteral("WebBrowser1"), twipsRect(120, 1140, 6135, 5595));
}

void Form1::createForumsPage(QWidget *central)
{
    TabStrip2 = make<QTabBar>(central, QStringLiteral("TabStrip2"), twipsRect(60, 5160, 3735, 4815));
    TabStrip2->addTab(QStringLiteral("Your Forums"));
    TabStrip2->addTab(QStringLiteral("Your Posts"));
    TabStrip2->setExpanding(false);
    TabStrip2->setDrawBase(true);
    connect(TabStrip2, &QTabBar::currentChanged, this, &Form1::onTabStrip2);

    Frame4 = make<QGroupBox>(central, QStringLiteral("Frame4"), twipsRect(120, 5520, 3615, 4335));
    cmdAdd2 = makeButton(Frame4, QStringLiteral("cmdAdd2"), QStringLiteral("Add Current URL"),
                         QStringLiteral("Watch the current URL"), twipsRect(60, 60, 1695, 495));
    cmdDel2 = makeButton(Frame4, QStringLiteral("cmdDel2"), QStringLiteral("Remove URL"), QStringLiteral("back"),
                         twipsRect(1800, 60, 1695, 495));
    Label3 = makeLabel(Frame4, QStringLiteral("Label3"), QStringLiteral("Username:"), twipsRect(60, 600, 1095, 225));
    Label4 = makeLabel(Frame4, QStringLiteral("Label4"), QStringLiteral("Password:"), twipsRect(1800, 600, 1095, 225));
    txtUsername = make<QLineEdit>(Frame4, QStringLiteral("txtUsername"), twipsRect(60, 825, 1095, 285));
    cmdPaste[1] = makeButton(Frame4, QStringLiteral("cmdPaste_1"), QStringLiteral("Paste"),
                             QStringLiteral("Click within the Username field on the form you want to paste into, "
                                            "then click here."),
                             twipsRect(1185, 825, 570, 285));
    txtPassword = make<QLineEdit>(Frame4, QStringLiteral("txtPassword"), twipsRect(1800, 825, 1095, 285));
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdPaste[2] = makeButton(Frame4, QStringLiteral("cmdPaste_2"), QStringLiteral("Paste"),
                             QStringLiteral("Click within the Password field on the form you want to paste into, "
                                            "then click here."),
                             twipsRect(2925, 825, 570, 285));
    txtUsername->setEnabled(false);
    txtPassword->setEnabled(false);
    lstPosts2 = make<QListWidget>(Frame4, QStringLiteral("lstPosts2"), twipsRect(60, 1140, 3435, 1425));
}

void Form1::createPostsPage(QWidget *central)
{
    Frame3 = make<QGroupBox>(central, QStringLiteral("Frame3"), twipsRect(120, 5520, 3615, 4335));
    cmdAdd = makeButton(Frame3, QStringLiteral("cmdAdd"), QStringLiteral("Watch This Post"),
                        QStringLiteral("Watch the current URL"), twipsRect(60, 60, 1695, 495));
    cmdDel = makeButton(Frame3, QStringLiteral("cmdDel"), QStringLiteral("Remove Watch"), QStringLiteral("back"),
                        twipsRect(1800, 60, 1695, 495));
    TabStrip1 = make<QTabBar>(Frame3, QStringLiteral("TabStrip1"), twipsRect(60, 600, 3495, 315));
    TabStrip1->addTab(QStringLiteral("Show All"));
    TabStrip1->addTab(QStringLiteral("New Replies "));
    TabStrip1->setExpanding(false);
    cmdReplies = makeButton(Frame3, QStringLiteral("cmdReplies"), QStringLiteral("Check for new replies"), QString(),
                            twipsRect(60, 960, 3435, 315));
    lstPosts = make<QListWidget>(Frame3, QStringLiteral("lstPosts"), twipsRect(60, 1320, 3435, 1620));
    lstNew = make<QListWidget>(Frame3, QStringLiteral("lstNew"), twipsRect(60, 1320, 3435, 1230));
    cmdReplies->hide();
    lstNew->hide();
    Frame3->hide();
}

void Form1::createStatusBar()
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
        statusPanel[i] = panel;
    }
    statusPanel[0]->setMinimumWidth(twipsToPixels(3735));
}

QMenu *Form1::addMenu(const QString &name, const QString &title, const QStringList &items, void (Form1::*handler)(int))
{
    QMenu *menu = menuBar()->addMenu(title);
    menu->setObjectName(name);
    for (int i = 0; i < items.size(); ++i) {
        QAction *action = menu->addAction(items.at(i));
        action->setObjectName(name + QLatin1Char('_') + QString::number(i));
        connect(action, &QAction::triggered, this, [this, handler, i] { (this->*handler)(i); });
    }
    return menu;
}

void Form1::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    addMenu(QStringLiteral("fileMenu"), QStringLiteral("&File"),
            {QStringLiteral("&New Message"), QStringLiteral("&Save Message"), QStringLiteral("&Load Message"),
             QStringLiteral("E&xit")},
            &Form1::onFileMenu);
    addMenu(QStringLiteral("toolsMenu"), QStringLiteral("&Tools"),
            {QStringLiteral("&Preview"), QStringLiteral("Auto &Insert"), QStringLiteral("&Check Replies"),
             QStringLiteral("&Options"), QStringLiteral("Paste Message"), QStringLiteral("Paste Subject"),
             QStringLiteral("Paste Username"), QStringLiteral("Paste Password")},
            &Form1::onToolsMenu);
    addMenu(QStringLiteral("viewMenu"), QStringLiteral("&View"),
            {QStringLiteral("&Saved Messages"), QStringLiteral("&All posts"), QStringLiteral("&Replies"),
             QStringLiteral("&Templates")},
            &Form1::onViewMenu);
    addMenu(QStringLiteral("aboutMenu"), QStringLiteral("&Help"), {QStringLiteral("View &Help")}, &Form1::onHelpMenu);
    addMenu(QStringLiteral("mnuAbout"), QStringLiteral("About"), {QStringLiteral("About this software")},
            &Form1::onAboutMenu);
}

void Form1::load()
{
    loadBranding();
    const Branding &brand = branding();
    setWindowTitle(brand.programName + QStringLiteral(" by ") + brand.companyName);
    Command1->setText(QStringLiteral("Visit ") + brand.websiteAddress);
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

void Form1::restoreEditor()
{
    const QString message = readSetting(QStringLiteral("data"), QStringLiteral("lastMessage"), QString());
    if (!message.isEmpty() && message != QLatin1String(" "))
        setEditorText(txtMessage, message);

    // Setting the text runs the subject's change handling, which stores it again when it changed.
    txtSubject->setText(
        readSetting(QStringLiteral("data"), QStringLiteral("lastSubject"), QStringLiteral("Type Subject Here")));

    // A stored position that is not a number or not in the rebuilt list selects "text".
    bool ok = false;
    const int position =
        readSetting(QStringLiteral("data"), QStringLiteral("lastConvert"), QStringLiteral("0")).trimmed().toInt(&ok);
    cmbConvert->setCurrentIndex(ok && position >= 0 && position < cmbConvert->count() ? position : 0);
}

void Form1::updateInterface()
{
    cmbConvert->clear();
    cmbConvert->addItems(formatNames(templates));
    cmbConvert->setCurrentIndex(0);
}

void Form1::setPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 3)
        statusPanel[panel - 1]->setText(text);
}

QString Form1::panelText(int panel) const
{
    return panel >= 1 && panel <= 3 ? statusPanel[panel - 1]->text() : QString();
}

void Form1::onFileMenu(int index)
{
    switch (index) {
    case 0: m_compose->newMessage(); break;
    case 1: m_compose->saveMessage(); break;
    case 2: m_compose->openSavedMessages(); break;
    case 3: close(); break; // the same orderly shutdown as closing the window, so nothing is lost
    default: break;
    }
}

void Form1::onToolsMenu(int index)
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

void Form1::onViewMenu(int index)
{
    switch (index) {
    case 0: m_compose->openSavedMessages(); break;
    case 1: m_watch->selectPostsTab(0); break;
    case 2: m_watch->selectPostsTab(1); break;
    case 3: m_compose->openTemplateEditor(); break;
    default: break;
    }
}

void Form1::onHelpMenu(int index)
{
    if (index == 0)
        showHelpWindow(this);
}

void Form1::onAboutMenu(int index)
{
    if (index == 0)
        showAboutWindow(this, [this] { m_browser->openWebsiteWindow(); });
}

void Form1::onTabStrip2(int index)
{
    Frame3->setVisible(index == 1);
    Frame4->setVisible(index == 0);
}

void Form1::reportErrors(const QStringList &errors)
{
    if (!errors.isEmpty())
        showMessage(this, branding().programName, errors.join(QLatin1Char('\n')), QMessageBox::Warning);
}

void Form1::closeEvent(QCloseEvent *event)
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
    writeSetting(QStringLiteral("data"), QStringLiteral("lastMessage"), editorText(txtMessage));
    writeSetting(QStringLiteral("data"), QStringLiteral("lastConvert"), QString::number(cmbConvert->currentIndex()));

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

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyMainLayout(*this);
}
