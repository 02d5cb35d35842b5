#include "compose/composecontroller.h"

#include "compose/markuptemplate.h"
#include "compose/messageeditorpanel.h"
#include "compose/outgoingtext.h"
#include "compose/plainaddresshint.h"
#include "compose/savedmessagelist.h"
#include "compose/savedmessageswindow.h"
#include "compose/templateeditor.h"
#include "compose/templatesettings.h"
#include "core/branding.h"
#include "core/settingsstore.h"
#include "ui/bringforward.h"
#include "ui/command.h"
#include "ui/editortext.h"
#include "ui/messageboxes.h"
#include "ui/placement.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

ComposeController::ComposeController(MessageEditorPanel &panel, TemplateSet &templates, SettingsStore &settings,
                                     MessageBoxes &boxes, const DataFolder &folder, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_templates(templates)
    , m_settings(settings)
    , m_boxes(boxes)
    , m_folder(folder)
    , m_linkRules(storedLinkRules(settings))
    , m_savedMessageList(new SavedMessageList(savedMessagesFile(), this))
{
    // Remembered on every change, typed or set, so the subject outlives even an abrupt exit.
    connect(m_panel.subjectBox, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_settings.write(Settings::lastSubject, text); });
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

    m_pasteSubject = makeCommand(this, tr("Paste Subject"));
    m_pasteMessage = makeCommand(this, tr("Paste Message"));
    connect(m_pasteSubject, &QAction::triggered, this, &ComposeController::pasteSubject);
    connect(m_pasteMessage, &QAction::triggered, this, &ComposeController::pasteMessage);
    triggerOnClick(m_panel.pasteSubjectButton, m_pasteSubject);
    triggerOnClick(m_panel.pasteMessageButton, m_pasteMessage);
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

LinkRules ComposeController::storedLinkRules(const SettingsStore &settings)
{
    return settings.read(Settings::modernLinks) ? LinkRules::Modern : LinkRules::Classic;
}

void ComposeController::useModernLinks(bool modern)
{
    setLinkRules(modern ? LinkRules::Modern : LinkRules::Classic);
    m_settings.write(Settings::modernLinks, modern);
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

OutgoingMessage ComposeController::outgoing(OutgoingEnd end) const
{
    const QString message = editorText(m_panel.messageEditor);
    OutgoingMessage out;
    out.plain = end == OutgoingEnd::BlankLine ? outgoingText(message) : message;
    out.text = convertMessage(out.plain);
    out.markup = ::convertsToMarkup(m_panel.formatList->currentText(), m_templates);
    return out;
}

void ComposeController::pasteSubject()
{
    Q_EMIT pasteRequested(m_panel.subjectBox->text());
}

void ComposeController::pasteMessage()
{
    Q_EMIT pasteRequested(outgoing(OutgoingEnd::AsWritten).text);
}

void ComposeController::previewMessage()
{
    reportPlainAddresses();
    m_boxes.showMessage(m_panel.window(), tr("message preview"), outgoing().text);
}

void ComposeController::copyMessage()
{
    QGuiApplication::clipboard()->setText(outgoing().text);
    Q_EMIT statusText(StatusPanel::State, tr("Message copied"), StatusLife::ClearsItself);
    reportPlainAddresses();
}

void ComposeController::saveMessage()
{
    const QString error = m_savedMessageList->add(editorText(m_panel.messageEditor), m_panel.subjectBox->text());
    if (!error.isEmpty()) {
        m_boxes.showMessage(m_panel.window(), branding().programName, error, QMessageBox::Warning);
        return;
    }
    Q_EMIT statusText(StatusPanel::State, tr("MESSAGE SAVED"), StatusLife::ClearsItself);
}

void ComposeController::openSavedMessages()
{
    if (m_savedMessages) {
        bringForward(m_savedMessages); // its list is not read again
        return;
    }
    const SavedMessageLines::Status read = m_savedMessageList->load();
    if (read != SavedMessageLines::Read) {
        const QString text = read == SavedMessageLines::Missing
                                 ? tr("you must first save a message before you can load one")
                                 : m_savedMessageList->loadError();
        m_boxes.showMessage(m_panel.window(), branding().programName, text);
        return;
    }
    m_savedMessages = new SavedMessagesWindow(*m_savedMessageList, m_boxes, m_panel.window());
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
            saveTemplates(m_settings, m_templates);
        });
        placeOverOwner(m_templateEditor, m_panel.window());
    }
    bringForward(m_templateEditor);
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
    const QString message = m_settings.read(Settings::lastMessage);
    if (!message.isEmpty() && message != QLatin1String(" "))
        setEditorText(m_panel.messageEditor, message);

    // Setting the text runs the subject's change handling, which stores it again when it changed.
    m_panel.subjectBox->setText(m_settings.read(Settings::lastSubject));

    // A stored position that is not a number or not in the rebuilt list selects "text".
    const int position = m_settings.read(Settings::lastConvert);
    QComboBox *formats = m_panel.formatList;
    formats->setCurrentIndex(position >= 0 && position < formats->count() ? position : 0);
}

void ComposeController::storeState() const
{
    m_settings.write(Settings::lastMessage, editorText(m_panel.messageEditor));
    m_settings.write(Settings::lastConvert, m_panel.formatList->currentIndex());
}

QString ComposeController::savedMessagesFile() const
{
    return m_folder.filePath(QString::fromLatin1(savedMessagesFileName));
}
