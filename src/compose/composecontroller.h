#pragma once

#include <QObject>
#include <QString>

class Form1;

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

private:
    Form1 &m_form;
};
