#pragma once

#include "compose/linkencoder.h"
#include "core/datafolder.h"
#include "core/statustext.h"

#include <QObject>
#include <QPointer>
#include <QString>

struct TemplateSet;

class MessageBoxes;
class MessageEditorPanel;
class QAction;
class SavedMessageList;
class SavedMessagesWindow;
class SettingsStore;
class TemplateEditor;

// Wires the message editor panel: subject memory, formats, preview, copy, saved messages, the
// template editor. It keeps what it remembers in settings and the saved messages in folder.
class ComposeController : public QObject
{
    Q_OBJECT
public:
    ComposeController(MessageEditorPanel &panel, TemplateSet &templates, SettingsStore &settings, MessageBoxes &boxes,
                      const DataFolder &folder, QObject *parent = nullptr);

    void previewMessage();
    void copyMessage();
    void saveMessage();
    void openSavedMessages();
    void openTemplateEditor();
    void newMessage();
    // Refills the format list from the templates and selects "text".
    void showFormats();
    // The last run's message, subject and format; the format list must be filled first.
    void restoreState();
    // Keeps the message and the format for the next run (the subject is kept on every change).
    void storeState() const;
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
    // The rules chosen in an earlier run (the modern ones while nothing is stored).
    static LinkRules storedLinkRules(const SettingsStore &settings);
    // With the classic rules, how many addresses of the message they leave as plain text, as a
    // status text for panel 1 (preview, copy and auto-insert); empty when there are none.
    QString plainAddressesNote() const;
    void reportPlainAddresses();

    // The commands of the message editor; the menus place them, the panel's buttons trigger them.
    QAction *newMessageAction() const { return m_newMessage; }
    // Tools > "Modern Links ...": ticked while the modern link rules convert.
    QAction *modernLinksAction() const { return m_modernLinks; }
    QAction *saveAction() const { return m_save; }
    QAction *loadAction() const { return m_load; }
    QAction *previewAction() const { return m_preview; }
    QAction *copyAction() const { return m_copy; }
    QAction *templatesAction() const { return m_templateCommand; }

    // The secondary windows while they exist (tests and shutdown).
    SavedMessagesWindow *savedMessagesWindow() const;
    TemplateEditor *templateEditor() const;

Q_SIGNALS:
    // A text for a status bar panel; life says whether it clears itself.
    void statusText(StatusPanel panel, const QString &text, StatusLife life = StatusLife::Stays);

private:
    void createActions();
    QString convertedOutgoingText() const;

    QString savedMessagesFile() const;

    MessageEditorPanel &m_panel;
    TemplateSet &m_templates;
    SettingsStore &m_settings;
    MessageBoxes &m_boxes;
    DataFolder m_folder;
    LinkRules m_linkRules = LinkRules::Classic;
    // What the saved-messages window lists; read afresh each time the window opens.
    SavedMessageList *m_savedMessageList = nullptr;
    QPointer<SavedMessagesWindow> m_savedMessages;
    QPointer<TemplateEditor> m_templateEditor;
    QAction *m_newMessage = nullptr;
    QAction *m_modernLinks = nullptr;
    QAction *m_save = nullptr;
    QAction *m_load = nullptr;
    QAction *m_preview = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_templateCommand = nullptr;
};
