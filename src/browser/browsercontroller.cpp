#include "browser/browsercontroller.h"

#include "browser/browserpage.h"
#include "browser/browserpanel.h"
#include "browser/browserprofile.h"
#include "browser/enginescriptpage.h"
#include "browser/forumspanel.h"
#include "browser/insertcontroller.h"
#include "browser/pagescripts.h"
#include "browser/websitewindow.h"
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "compose/outgoingtext.h"
#include "ui/editortext.h"
#include "ui/messagebox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

constexpr auto scriptWorld = QWebEngineScript::ApplicationWorld;

} // namespace

BrowserController::BrowserController(BrowserPanel &panel, MessageEditorPanel &editor, ForumsPanel &forums,
                                     const ComposeController &compose, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_editor(editor)
    , m_forums(forums)
    , m_compose(compose)
{
    QWebEngineView *view = m_panel.view;
    // Pop-up windows keep this rule and may outlive the main window; with the box gone, they open
    // no more windows.
    QPointer<QCheckBox> noPopups = m_panel.noPopupsBox;
    m_page = new BrowserPage(
        browserProfile(), [noPopups] { return noPopups && !noPopups->isChecked(); }, view);
    view->setPage(m_page);

    m_scriptPage = new EngineScriptPage(m_page, this);
    auto message = [this] {
        const QString outgoing = outgoingText(editorText(m_editor.messageEditor));
        return InsertController::Message{m_compose.convertMessage(outgoing), m_compose.convertsToMarkup(), outgoing};
    };
    auto reportFailure = [this](std::function<void()> dismissed) {
        showMessage(m_panel.window(), QStringLiteral("Auto-Insert Error"),
                    QStringLiteral("Could not auto-insert your message.  Try pasting instead."), QMessageBox::NoIcon,
                    dismissed);
    };
    m_insert = new InsertController(*m_scriptPage, m_postCheck, message, reportFailure, this);
    connect(m_insert, &InsertController::finished, this, &BrowserController::autoInsertFinished);
    // After "Message inserted": the addresses the classic link rules left as plain text, if any.
    connect(m_insert, &InsertController::finished, this, [this](bool inserted) {
        if (const QString note = m_compose.plainAddressesNote(); inserted && !note.isEmpty())
            Q_EMIT statusText(1, note);
    });

    connectControls();
}

void BrowserController::connectControls()
{
    QWebEngineView *view = m_panel.view;
    connect(m_panel.addressBox, &QLineEdit::returnPressed, this, [this] { navigate(m_panel.addressBox->text()); });
    connect(m_panel.goButton, &QToolButton::clicked, this, [this] { navigate(m_panel.addressBox->text()); });
    // With no page to go to, back and forward do nothing and report nothing.
    connect(m_panel.backButton, &QToolButton::clicked, view, &QWebEngineView::back);
    connect(m_panel.forwardButton, &QToolButton::clicked, view, &QWebEngineView::forward);
    connect(m_panel.stopButton, &QToolButton::clicked, view, &QWebEngineView::stop);
    connect(m_panel.refreshButton, &QToolButton::clicked, view, &QWebEngineView::reload);
    connect(m_editor.autoInsertButton, &QPushButton::clicked, this, &BrowserController::autoInsertMessage);
    const QPushButton *pasteButtons[] = {m_editor.pasteSubjectButton, m_forums.pasteUserNameButton,
                                         m_forums.pastePasswordButton, m_editor.pasteMessageButton};
    for (int i = 0; i < 4; ++i)
        connect(pasteButtons[i], &QPushButton::clicked, this, [this, i] { pasteIntoPage(i); });

    connect(view, &QWebEngineView::loadStarted, this, [this] { Q_EMIT statusText(1, QStringLiteral("Connecting")); });
    connect(view, &QWebEngineView::loadFinished, this, &BrowserController::onLoadFinished);
    connect(view, &QWebEngineView::titleChanged, this,
            [this] { m_panel.addressBox->setText(m_panel.view->url().toString()); });
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &url) { Q_EMIT statusText(2, url); });
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
    Q_EMIT statusText(1, QStringLiteral("Complete"));

    // The state at this download decides; the page's answer comes later.
    const PostCheck::Ticket ticket = m_postCheck.downloadCompleted();
    if (!ticket.search)
        return;
    const QUrl pageUrl = view->url();
    QPointer<BrowserController> self(this);
    m_page->runJavaScript(readBodyScript(), scriptWorld, [self, ticket, pageUrl](const QVariant &body) {
        if (self)
            self->onPostCheckPage(ticket, pageUrl, body);
    });
}

void BrowserController::onPostCheckPage(const PostCheck::Ticket &ticket, const QUrl &pageUrl, const QVariant &body)
{
    if (!m_postCheck.isCurrent(ticket))
        return;
    // Once the browser shows another page, the one that completed can no longer be watched.
    if (m_panel.view->url() != pageUrl)
        return;
    const QVariantList parts = body.toList();
    if (parts.size() < 2) // no HTML body: nothing to find
        return;
    if (!PostCheck::pageShows(ticket, parts.at(0).toString(), parts.at(1).toString()))
        return;
    if (m_postCheck.hit(ticket))
        Q_EMIT postCheckHit();
}

void BrowserController::armPostCheck(int countdown)
{
    m_postCheck.armCountdown(countdown);
}

void BrowserController::autoInsertMessage()
{
    m_insert->autoInsert();
}

void BrowserController::pasteIntoPage(int index)
{
    QString text;
    switch (index) {
    case 0: text = m_editor.subjectBox->text(); break;
    case 1: text = m_forums.userNameBox->text(); break;
    case 2: text = m_forums.passwordBox->text(); break;
    case 3: text = m_compose.convertMessage(editorText(m_editor.messageEditor)); break;
    default: return;
    }
    QPointer<BrowserController> self(this);
    m_page->runJavaScript(insertAtCaretScript(text), scriptWorld, [self](const QVariant &result) {
        if (self)
            Q_EMIT self->pasteFinished(result.toBool());
    });
}

void BrowserController::openWebsiteWindow()
{
    if (m_website) {
        m_website->show();
        m_website->raise();
        m_website->activateWindow();
        return;
    }
    m_website = new WebsiteWindow();
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
