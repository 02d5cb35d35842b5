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
#include "core/settings.h"
#include "ui/command.h"
#include "ui/editortext.h"
#include "ui/messagebox.h"
#include "ui/placement.h"

#include <QAction>
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
            [](const QString &text) { writeSetting(Settings::lastSubject, text); });
    createActions();
}

void ComposeController::createActions()
{
    m_newMessage = makeCommand(this, tr("&New Message"), QKeySequence::New);
    m_save = makeCommand(this, tr("&Save Message"), QKeySequence::Save);
    m_load = makeCommand(this, tr("&Load Message"), QKeySequence::Open);
    m_preview = makeCommand(this, tr("&Preview"), QKeySequence(Qt::CTRL | Qt::Key_P));
    m_copy = makeCommand(this, tr("Copy"));
    m_templateCommand = makeCommand(this, tr("&Options"));
    connect(m_newMessage, &QAction::triggered, this, &ComposeController::newMessage);
    connect(m_save, &QAction::triggered, this, &ComposeController::saveMessage);
    connect(m_load, &QAction::triggered, this, &ComposeController::openSavedMessages);
    connect(m_preview, &QAction::triggered, this, &ComposeController::previewMessage);
    connect(m_copy, &QAction::triggered, this, &ComposeController::copyMessage);
    connect(m_templateCommand, &QAction::triggered, this, &ComposeController::openTemplateEditor);
    m_modernLinks = makeCommand(this, tr("Modern Links (https, www., query strings)"));
    m_modernLinks->setObjectName(QStringLiteral("modernLinksItem"));
    m_modernLinks->setCheckable(true);
    m_modernLinks->setChecked(m_linkRules == LinkRules::Modern);
    connect(m_modernLinks, &QAction::toggled, this, &ComposeController::useModernLinks);
    triggerOnClick(m_panel.saveButton, m_save);
    triggerOnClick(m_panel.loadButton, m_load);
    triggerOnClick(m_panel.previewButton, m_preview);
    triggerOnClick(m_panel.copyButton, m_copy);
    triggerOnClick(m_panel.optionsButton, m_templateCommand);
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
    return readSetting(Settings::modernLinks) ? LinkRules::Modern : LinkRules::Classic;
}

void ComposeController::useModernLinks(bool modern)
{
    setLinkRules(modern ? LinkRules::Modern : LinkRules::Classic);
    writeSetting(Settings::modernLinks, modern);
}

QString ComposeController::plainAddressesNote() const
{
    return m_linkRules == LinkRules::Classic ? plainAddressesHint(editorText(m_panel.messageEditor)) : QString();
}

void ComposeController::reportPlainAddresses()
{
    const QString note = plainAddressesNote();
    if (!note.isEmpty())
        Q_EMIT statusText(StatusPanel::State, note, StatusLife::ClearsItself);
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
    showMessage(m_panel.window(), tr("message preview"), convertedOutgoingText());
}

void ComposeController::copyMessage()
{
    QGuiApplication::clipboard()->setText(convertedOutgoingText());
    Q_EMIT statusText(StatusPanel::State, tr("Message copied"), StatusLife::ClearsItself);
    reportPlainAddresses();
}

void ComposeController::saveMessage()
{
    const QString error = appendSavedMessage(editorText(m_panel.messageEditor), m_panel.subjectBox->text());
    if (!error.isEmpty()) {
        showMessage(m_panel.window(), branding().programName, error, QMessageBox::Warning);
        return;
    }
    Q_EMIT statusText(StatusPanel::State, tr("MESSAGE SAVED"), StatusLife::ClearsItself);
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
                                 ? tr("you must first save a message before you can load one")
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

void ComposeController::restoreState()
{
    const QString message = readSetting(Settings::lastMessage);
    if (!message.isEmpty() && message != QLatin1String(" "))
        setEditorText(m_panel.messageEditor, message);

    // Setting the text runs the subject's change handling, which stores it again when it changed.
    m_panel.subjectBox->setText(readSetting(Settings::lastSubject));

    // A stored position that is not a number or not in the rebuilt list selects "text".
    const int position = readSetting(Settings::lastConvert);
    QComboBox *formats = m_panel.formatList;
    formats->setCurrentIndex(position >= 0 && position < formats->count() ? position : 0);
}

void ComposeController::storeState() const
{
    writeSetting(Settings::lastMessage, editorText(m_panel.messageEditor));
    writeSetting(Settings::lastConvert, m_panel.formatList->currentIndex());
}
