#include "browser/browsercontroller.h"

#include "browser/browserpage.h"
#include "browser/browserpanel.h"
#include "browser/browserprofile.h"
#include "browser/formscan.h"
#include "browser/forumspanel.h"
#include "browser/pagescripts.h"
#include "browser/websitewindow.h"
#include "compose/composecontroller.h"
#include "compose/messageeditorpanel.h"
#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/textfile.h"
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

// A page that never answers (its renderer gone, a navigation that swallowed the script) must not
// block later inserts for good.
constexpr int insertAnswerLimitMs = 15000;

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

    m_insertWatchdog.setSingleShot(true);
    m_insertWatchdog.setInterval(insertAnswerLimitMs);
    connect(&m_insertWatchdog, &QTimer::timeout, this, [this] { endInsert(m_insertSerial, false); });

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
    if (m_inserting) {
        ++m_queuedInserts;
        return;
    }
    startInsert();
}

void BrowserController::startInsert()
{
    m_inserting = true;
    const int serial = ++m_insertSerial;
    m_insertWatchdog.start();
    QPointer<BrowserController> self(this);
    m_page->runJavaScript(readBodyScript(), scriptWorld, [self, serial](const QVariant &body) {
        if (self)
            self->onInsertMarkup(serial, body);
    });
}

void BrowserController::onInsertMarkup(int serial, const QVariant &body)
{
    if (serial != m_insertSerial || !m_inserting)
        return;
    const QVariantList parts = body.toList();
    const QString outer = parts.size() >= 2 ? parts.at(0).toString() : QString();
    const QString inner = parts.size() >= 2 ? parts.at(1).toString() : QString();
    const FormScan scan = scanForPostForm(outer, inner);
    // Only a record of what was scanned: when it cannot be written, the insert goes on.
    for (const QString &text : scan.scratchTexts) {
        const QString error = writeFileAtomically(dataFilePath(QStringLiteral("htmltemp.txt")), encodeText(text));
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
    }
    // With nothing found in the markup, the page may still have a form that owns a text area.
    const bool found = scan.formIndex >= 0 && scan.fieldIndex >= 0;

    const QString outgoing = editorText(m_editor.messageEditor) + QStringLiteral("\r\n\r\n");
    const QString converted = m_compose.convertMessage(outgoing);
    QPointer<BrowserController> self(this);
    m_page->runJavaScript(setMessageFieldScript(scan.formIndex, scan.fieldIndex, converted), scriptWorld,
                          [self, serial, converted, found](const QVariant &result) {
                              if (!self || serial != self->m_insertSerial || !self->m_inserting)
                                  return;
                              const bool inserted = result.toBool();
                              // Armed once a target was found, whether or not the page took the text.
                              if (found || inserted)
                                  self->m_postCheck.arm(converted);
                              self->endInsert(serial, inserted);
                          });
}

void BrowserController::endInsert(int serial, bool inserted)
{
    if (serial != m_insertSerial || !m_inserting)
        return;
    m_insertWatchdog.stop();
    // Late answers for this insert are ignored from here on.
    ++m_insertSerial;

    QPointer<BrowserController> self(this);
    auto next = [self, inserted] {
        if (!self)
            return;
        self->m_inserting = false;
        Q_EMIT self->autoInsertFinished(inserted);
        if (self->m_queuedInserts > 0) {
            --self->m_queuedInserts;
            self->startInsert();
        }
    };
    if (inserted) {
        next();
        return;
    }
    showMessage(m_panel.window(), QStringLiteral("Auto-Insert Error"),
                QStringLiteral("Could not auto-insert your message.  Try pasting instead."), QMessageBox::NoIcon, next);
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
