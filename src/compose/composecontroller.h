#pragma once

#include "compose/linkencoder.h"

#include <QObject>
#include <QPointer>
#include <QString>

struct TemplateSet;

class MessageEditorPanel;
class SavedMessagesWindow;
class TemplateEditor;

// Wires the message editor panel: subject memory, formats, preview, copy, saved messages, the
// template editor.
class ComposeController : public QObject
{
    Q_OBJECT
public:
    ComposeController(MessageEditorPanel &panel, TemplateSet &templates, QObject *parent = nullptr);

    void previewMessage();
    void copyMessage();
    void saveMessage();
    void openSavedMessages();
    void openTemplateEditor();
    void newMessage();
    // Refills the format list from the templates and selects "text".
    void showFormats();
    // Closes the saved-messages window and the template editor (main window shutdown).
    void unloadWindows();
    // Converts text with the format selected in the editor and the chosen link rules.
    QString convertMessage(const QString &text) const;
    // Whether the selected format writes HTML links.
    bool convertsToMarkup() const;
    void setLinkRules(LinkRules rules);
    LinkRules linkRules() const;
    // The Tools menu's choice: the modern rules or the classic ones, remembered in the settings.
    void useModernLinks(bool modern);
    // The rules chosen in an earlier run (the classic ones at first).
    static LinkRules storedLinkRules();
    // With the classic rules, how many addresses of the message they leave as plain text, as a
    // status text for panel 1 (preview, copy and auto-insert); empty when there are none.
    QString plainAddressesNote() const;
    void reportPlainAddresses();

    // The secondary windows while they exist (tests and shutdown).
    SavedMessagesWindow *savedMessagesWindow() const;
    TemplateEditor *templateEditor() const;

Q_SIGNALS:
    // A text for a status bar panel (1 to 3).
    void statusText(int panel, const QString &text);

private:
    QString convertedOutgoingText() const;

    MessageEditorPanel &m_panel;
    TemplateSet &m_templates;
    LinkRules m_linkRules = LinkRules::Classic;
    QPointer<SavedMessagesWindow> m_savedMessages;
    QPointer<TemplateEditor> m_templateEditor;
};
