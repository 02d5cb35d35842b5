#include "compose/composecontroller.h"

#include "core/branding.h"
#include "ui/editortext.h"
#include "app/mainwindow.h"
#include "ui/messagebox.h"
#include "core/settingsstore.h"
#include "compose/outgoingtext.h"
#include "compose/savedmessagefile.h"
#include "compose/savedmessageswindow.h"
#include "compose/templateeditor.h"
#include "compose/templatesettings.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

ComposeController::ComposeController(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
    // Remembered on every change, typed or set, so the subject outlives even an abrupt exit.
    connect(m_form.txtSubject, &QLineEdit::textChanged, this,
            [](const QString &text) { writeSetting(QStringLiteral("data"), QStringLiteral("lastSubject"), text); });
    connect(m_form.cmdPreview, &QPushButton::clicked, this, &ComposeController::previewMessage);
    connect(m_form.cmdCopy, &QPushButton::clicked, this, &ComposeController::copyMessage);
    connect(m_form.cmdSave, &QPushButton::clicked, this, &ComposeController::saveMessage);
    connect(m_form.cmdLoad, &QPushButton::clicked, this, &ComposeController::openSavedMessages);
    connect(m_form.cmdOptions, &QPushButton::clicked, this, &ComposeController::openTemplateEditor);
}

Form3 *ComposeController::savedMessagesWindow() const
{
    return m_savedMessages;
}

frmCustom *ComposeController::templateEditor() const
{
    return m_templateEditor;
}

QString ComposeController::convertMessage(const QString &text) const
{
    return ::convertMessage(text, m_form.cmbConvert->currentText(), m_form.templates);
}

QString ComposeController::convertedOutgoingText() const
{
    return convertMessage(outgoingText(editorText(m_form.txtMessage)));
}

void ComposeController::previewMessage()
{
    showMessage(&m_form, QStringLiteral("message preview"), convertedOutgoingText());
}

void ComposeController::copyMessage()
{
    QGuiApplication::clipboard()->setText(convertedOutgoingText());
}

void ComposeController::saveMessage()
{
    const QString error = appendSavedMessage(editorText(m_form.txtMessage), m_form.txtSubject->text());
    if (!error.isEmpty()) {
        showMessage(&m_form, branding().programName, error, QMessageBox::Warning);
        return;
    }
    m_form.setPanelText(1, QStringLiteral("MESSAGE SAVED"));
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
        showMessage(&m_form, branding().programName, text);
        return;
    }
    m_savedMessages = new Form3(&m_form);
    m_savedMessages->setEntries(read.lines);
    connect(m_savedMessages, &Form3::messageChosen, this,
            [this](const QString &message, const QString &subject, bool hasSubject) {
                setEditorText(m_form.txtMessage, message);
                if (hasSubject)
                    m_form.txtSubject->setText(subject);
            });
    m_savedMessages->show();
}

void ComposeController::openTemplateEditor()
{
    if (!m_templateEditor) {
        m_templateEditor = new frmCustom(m_form.templates, &m_form);
        connect(m_templateEditor, &frmCustom::templatesStored, this, [this] {
            m_form.updateInterface();
            saveTemplates(m_form.templates);
        });
    }
    m_templateEditor->show();
    m_templateEditor->raise();
    m_templateEditor->activateWindow();
}

void ComposeController::newMessage()
{
    setEditorText(m_form.txtMessage, QString());
    m_form.txtSubject->clear();
}

void ComposeController::unloadWindows()
{
    // Deleted rather than closed: a hidden template editor must go too, and closing never asks.
    delete m_savedMessages.data();
    delete m_templateEditor.data();
}
