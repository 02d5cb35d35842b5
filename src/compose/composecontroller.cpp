#include "compose/composecontroller.h"

#include "compose/markuptemplate.h"
#include "compose/messageeditorpanel.h"
#include "compose/outgoingtext.h"
#include "compose/plainaddresshint.h"
#include "compose/savedmessagefile.h"
#include "compose/savedmessageswindow.h"
#include "compose/templateeditor.h"
#include "compose/templatesettings.h"
#include "core/branding.h"
#include "core/settingsstore.h"
#include "ui/editortext.h"
#include "ui/messagebox.h"
#include "ui/placement.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

ComposeController::ComposeController(MessageEditorPanel &panel, TemplateSet &templates, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_templates(templates)
    , m_linkRules(storedLinkRules())
{
    // Remembered on every change, typed or set, so the subject outlives even an abrupt exit.
    connect(m_panel.subjectBox, &QLineEdit::textChanged, this,
            [](const QString &text) { writeSetting(QStringLiteral("data"), QStringLiteral("lastSubject"), text); });
    connect(m_panel.previewButton, &QPushButton::clicked, this, &ComposeController::previewMessage);
    connect(m_panel.copyButton, &QPushButton::clicked, this, &ComposeController::copyMessage);
    connect(m_panel.saveButton, &QPushButton::clicked, this, &ComposeController::saveMessage);
    connect(m_panel.loadButton, &QPushButton::clicked, this, &ComposeController::openSavedMessages);
    connect(m_panel.optionsButton, &QPushButton::clicked, this, &ComposeController::openTemplateEditor);
}

SavedMessagesWindow *ComposeController::savedMessagesWindow() const
{
    return m_savedMessages;
}

TemplateEditor *ComposeController::templateEditor() const
{
    return m_templateEditor;
}

QString ComposeController::convertMessage(const QString &text) const
{
    return ::convertMessage(text, m_panel.formatList->currentText(), m_templates, m_linkRules);
}

void ComposeController::setLinkRules(LinkRules rules)
{
    m_linkRules = rules;
}

LinkRules ComposeController::linkRules() const
{
    return m_linkRules;
}

LinkRules ComposeController::storedLinkRules()
{
    const QString stored = readSetting(QStringLiteral("Settings"), QStringLiteral("modernLinks"), QStringLiteral("0"));
    return stored.trimmed() == QLatin1String("1") ? LinkRules::Modern : LinkRules::Classic;
}

void ComposeController::useModernLinks(bool modern)
{
    setLinkRules(modern ? LinkRules::Modern : LinkRules::Classic);
    writeSetting(QStringLiteral("Settings"), QStringLiteral("modernLinks"),
                 modern ? QStringLiteral("1") : QStringLiteral("0"));
}

QString ComposeController::plainAddressesNote() const
{
    return m_linkRules == LinkRules::Classic ? plainAddressesHint(editorText(m_panel.messageEditor)) : QString();
}

void ComposeController::reportPlainAddresses()
{
    const QString note = plainAddressesNote();
    if (!note.isEmpty())
        Q_EMIT statusText(1, note);
}

bool ComposeController::convertsToMarkup() const
{
    return ::convertsToMarkup(m_panel.formatList->currentText(), m_templates);
}

QString ComposeController::convertedOutgoingText() const
{
    return convertMessage(outgoingText(editorText(m_panel.messageEditor)));
}

void ComposeController::previewMessage()
{
    reportPlainAddresses();
    showMessage(m_panel.window(), QStringLiteral("message preview"), convertedOutgoingText());
}

void ComposeController::copyMessage()
{
    QGuiApplication::clipboard()->setText(convertedOutgoingText());
    Q_EMIT statusText(1, QStringLiteral("Message copied"));
    reportPlainAddresses();
}

void ComposeController::saveMessage()
{
    const QString error = appendSavedMessage(editorText(m_panel.messageEditor), m_panel.subjectBox->text());
    if (!error.isEmpty()) {
        showMessage(m_panel.window(), branding().programName, error, QMessageBox::Warning);
        return;
    }
    Q_EMIT statusText(1, QStringLiteral("MESSAGE SAVED"));
}

void ComposeController::openSavedMessages()
{
    if (m_savedMessages) {
        m_savedMessages->show();
        m_savedMessages->raise();
        m_savedMessages->activateWindow();
        return;
    }
    const SavedMessageLines read = readSavedMessages();
    if (read.status != SavedMessageLines::Read) {
        const QString text = read.status == SavedMessageLines::Missing
                                 ? QStringLiteral("you must first save a message before you can load one")
                                 : read.error;
        showMessage(m_panel.window(), branding().programName, text);
        return;
    }
    m_savedMessages = new SavedMessagesWindow(m_panel.window());
    m_savedMessages->setEntries(read.lines);
    connect(m_savedMessages, &SavedMessagesWindow::messageChosen, this,
            [this](const QString &message, const QString &subject, bool hasSubject) {
                setEditorText(m_panel.messageEditor, message);
                if (hasSubject)
                    m_panel.subjectBox->setText(subject);
            });
    placeOverOwner(m_savedMessages, m_panel.window());
    m_savedMessages->show();
}

void ComposeController::openTemplateEditor()
{
    if (!m_templateEditor) {
        m_templateEditor = new TemplateEditor(m_templates, m_panel.window());
        connect(m_templateEditor, &TemplateEditor::templatesStored, this, [this] {
            showFormats();
            saveTemplates(m_templates);
        });
        placeOverOwner(m_templateEditor, m_panel.window());
    }
    m_templateEditor->show();
    m_templateEditor->raise();
    m_templateEditor->activateWindow();
}

void ComposeController::newMessage()
{
    setEditorText(m_panel.messageEditor, QString());
    m_panel.subjectBox->clear();
}

void ComposeController::showFormats()
{
    m_panel.formatList->clear();
    m_panel.formatList->addItems(formatNames(m_templates));
    m_panel.formatList->setCurrentIndex(0);
}

void ComposeController::unloadWindows()
{
    // Deleted rather than closed: a hidden template editor must go too, and closing never asks.
    delete m_savedMessages.data();
    delete m_templateEditor.data();
}
