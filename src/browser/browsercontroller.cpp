#include "browser/browsercontroller.h"

#include "browser/browserpage.h"
#include "browser/browserpanel.h"
#include "browser/enginescriptpage.h"
#include "browser/insertcontroller.h"
#include "browser/pagescripts.h"
#include "browser/postcheckrunner.h"
#include "browser/websitewindow.h"
#include "core/settingsstore.h"
#include "ui/bringforward.h"
#include "ui/command.h"
#include "ui/messageboxes.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineView>

BrowserController::BrowserController(BrowserPanel &panel, InsertController::MessageSource message,
                                     QWebEngineProfile *profile, SettingsStore &settings, MessageBoxes &boxes,
                                     const DataFolder &folder, Skin &skin, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_profile(profile)
    , m_settings(settings)
    , m_boxes(boxes)
    , m_skin(skin)
{
    QWebEngineView *view = m_panel.view;
    // Pop-up windows keep this rule and may outlive the main window; with the box gone, they open
    // no more windows.
    QPointer<QCheckBox> noPopups = m_panel.noPopupsBox;
    m_page = new BrowserPage(
        m_profile, [noPopups] { return noPopups && !noPopups->isChecked(); }, view);
    view->setPage(m_page);

    m_scriptPage = new EngineScriptPage(m_page, this);
    auto reportFailure = [this](std::function<void()> dismissed) {
        m_boxes.showMessage(m_panel.window(), tr("Auto-Insert Error"),
                            tr("Could not auto-insert your message.  Try pasting instead."), QMessageBox::NoIcon,
                            dismissed);
    };
    m_insert = new InsertController(*m_scriptPage, m_postCheck, std::move(message), reportFailure,
                                    folder.filePath(QStringLiteral("htmltemp.txt")), this);
    m_postCheckRunner = new PostCheckRunner(*m_scriptPage, m_postCheck, this);
    connect(m_postCheckRunner, &PostCheckRunner::messageShown, this, &BrowserController::postCheckHit);
    // An insert that succeeded has armed the check on the page it filled.
    connect(m_insert, &InsertController::finished, m_postCheckRunner, &PostCheckRunner::armed);
    connect(m_insert, &InsertController::finished, this, &BrowserController::autoInsertFinished);

    createActions();
    connectControls();
}

void BrowserController::createActions()
{
    QWebEngineView *view = m_panel.view;
    m_autoInsert = makeCommand(this, tr("Auto &Insert"), QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(m_autoInsert, &QAction::triggered, this, &BrowserController::autoInsertMessage);

    // With no page to go to, back and forward do nothing and report nothing.
    m_reload = makeCommand(this, tr("Re&load Page"), QKeySequence(Qt::Key_F5));
    m_back = makeCommand(this, tr("&Back"), QKeySequence(Qt::ALT | Qt::Key_Left));
    m_forward = makeCommand(this, tr("&Forward"), QKeySequence(Qt::ALT | Qt::Key_Right));
    m_stop = makeCommand(this, tr("Stop"));
    m_go = makeCommand(this, tr("Go"));
    m_addressBar = makeCommand(this, tr("A&ddress Bar"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m_visitWebsite = makeCommand(this, tr("Visit"));
    connect(m_reload, &QAction::triggered, view, &QWebEngineView::reload);
    connect(m_back, &QAction::triggered, view, &QWebEngineView::back);
    connect(m_forward, &QAction::triggered, view, &QWebEngineView::forward);
    connect(m_stop, &QAction::triggered, view, &QWebEngineView::stop);
    connect(m_go, &QAction::triggered, this, [this] { navigate(m_panel.addressBox->text()); });
    connect(m_addressBar, &QAction::triggered, this, [this] {
        m_panel.addressBox->setFocus(Qt::ShortcutFocusReason);
        m_panel.addressBox->selectAll();
    });
    connect(m_visitWebsite, &QAction::triggered, this, &BrowserController::openWebsiteWindow);
    triggerOnClick(m_panel.refreshButton, m_reload);
    triggerOnClick(m_panel.backButton, m_back);
    triggerOnClick(m_panel.forwardButton, m_forward);
    triggerOnClick(m_panel.stopButton, m_stop);
    triggerOnClick(m_panel.goButton, m_go);
}

void BrowserController::connectControls()
{
    QWebEngineView *view = m_panel.view;
    connect(m_panel.addressBox, &QLineEdit::returnPressed, m_go, &QAction::trigger);

    connect(view, &QWebEngineView::loadStarted, this,
            [this] { Q_EMIT statusText(StatusPanel::State, tr("Connecting")); });
    connect(view, &QWebEngineView::loadFinished, this, &BrowserController::onLoadFinished);
    connect(view, &QWebEngineView::titleChanged, this,
            [this] { m_panel.addressBox->setText(m_panel.view->url().toString()); });
    // A page that moves to another address without loading (history.pushState) shows a new page.
    connect(view, &QWebEngineView::urlChanged, this,
            [this](const QUrl &url) { m_panel.addressBox->setText(url.toString()); });
    connect(m_page, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { Q_EMIT statusText(StatusPanel::Activity, url); });
}

void BrowserController::navigate(const QString &url)
{
    m_panel.view->load(QUrl::fromUserInput(url));
}

QUrl BrowserController::currentUrl() const
{
    return m_panel.view->url();
}

void BrowserController::onLoadFinished()
{
    QWebEngineView *view = m_panel.view;
    m_panel.addressBox->setText(view->url().toString());
    Q_EMIT statusText(StatusPanel::State, tr("Complete"));

    m_postCheckRunner->downloadCompleted();
}

ScriptPage *BrowserController::scriptPage() const
{
    return m_scriptPage;
}

void BrowserController::armPostCheck(int countdown)
{
    m_postCheck.armCountdown(countdown);
    m_postCheckRunner->armed();
}

void BrowserController::autoInsertMessage()
{
    m_insert->autoInsert();
}

void BrowserController::insertAtCaret(const QString &text)
{
    QPointer<BrowserController> self(this);
    m_scriptPage->runScript(insertAtCaretScript(text), [self](const QVariant &result) {
        if (self)
            Q_EMIT self->pasteFinished(result.toBool());
    });
}

void BrowserController::openWebsiteWindow()
{
    if (m_website) {
        bringForward(m_website);
        return;
    }
    m_website = new WebsiteWindow(m_profile, m_skin);
    connect(m_website, &WebsiteWindow::closed, this, &BrowserController::websiteWindowClosed);
    m_website->open(m_panel.window());
}

void BrowserController::closeWebsiteWindow()
{
    if (m_website)
        m_website->close();
}

bool BrowserController::websiteWindowVisible() const
{
    return m_website && m_website->isVisible();
}

WebsiteWindow *BrowserController::websiteWindow() const
{
    return m_website;
}

void BrowserController::restoreState()
{
    m_panel.noPopupsBox->setChecked(m_settings.read(Settings::noPopups));
}

void BrowserController::storeState() const
{
    m_settings.write(Settings::noPopups, m_panel.noPopupsBox->isChecked());
}
