#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class Form1;
class Form3;
class frmCustom;

// Wires the message editor of the main window: subject memory, preview, copy, saved messages,
// the template editor.
class ComposeController : public QObject
{
    Q_OBJECT
public:
    explicit ComposeController(Form1 &form);

    void previewMessage();
    void copyMessage();
    void saveMessage();
    void openSavedMessages();
    void openTemplateEditor();
    void newMessage();
    // Closes the saved-messages window and the template editor (main window shutdown).
    void unloadWindows();
    // Converts text with the format selected in the main window.
    QString convertMessage(const QString &text) const;

    // The secondary windows while they exist (tests and shutdown).
    Form3 *savedMessagesWindow() const;
    frmCustom *templateEditor() const;

private:
    QString convertedOutgoingText() const;

    Form1 &m_form;
    QPointer<Form3> m_savedMessages;
    QPointer<frmCustom> m_templateEditor;
};
