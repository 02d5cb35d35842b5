#pragma once

#include "browser/pagenavigator.h"
#include "browser/pastetarget.h"
#include "browser/postcheck.h"
#include "core/datafolder.h"
#include "core/statustext.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class BrowserPage;
class EngineScriptPage;
class InsertController;
class PostCheckRunner;
class BrowserPanel;
class ComposeController;
class ForumsPanel;
class MessageBoxes;
class MessageEditorPanel;
class QAction;
class SettingsStore;
class Skin;
class WebsiteWindow;

// Wires the browser panel: navigation, status texts, pop-ups, the post check, auto-insert and
// paste (whose buttons sit beside the texts they paste) and the secondary browser window.
class QWebEngineProfile;
class ScriptPage;

class BrowserController : public QObject, public PageNavigator
{
    Q_OBJECT
public:
    // Every page it makes, the secondary window's and the pop-ups' included, uses profile. "No
    // Popups" is kept in settings, the scan's record of a page in folder; the secondary window
    // wears skin.
    BrowserController(BrowserPanel &panel, MessageEditorPanel &editor, ForumsPanel &forums,
                      const ComposeController &compose, QWebEngineProfile *profile, SettingsStore &settings,
                      MessageBoxes &boxes, const DataFolder &folder, Skin &skin, QObject *parent = nullptr);

    void autoInsertMessage();
    void pasteIntoPage(PasteTarget target);
    void openWebsiteWindow();
    bool websiteWindowVisible() const;
    void closeWebsiteWindow();
    void armPostCheck(int countdown = PostCheck::armedDownloads);
    void navigate(const QString &url) override;
    // "No Popups" as the last run left it; stored again at shutdown.
    void restoreState();
    void storeState() const;
    QUrl currentUrl() const override;

    // The browser's commands; the menus place them, the buttons beside the page trigger them.
    QAction *autoInsertAction() const { return m_autoInsert; }
    QAction *pasteAction(PasteTarget target) const { return m_paste[int(target)]; }
    QAction *reloadAction() const { return m_reload; }
    QAction *backAction() const { return m_back; }
    QAction *forwardAction() const { return m_forward; }
    QAction *stopAction() const { return m_stop; }
    QAction *goAction() const { return m_go; }
    QAction *addressBarAction() const { return m_addressBar; }
    QAction *visitWebsiteAction() const { return m_visitWebsite; }

    const PostCheck &postCheck() const { return m_postCheck; }
    // The page shown, for scripts of the areas above (the watched posts read its head).
    ScriptPage *scriptPage() const;
    WebsiteWindow *websiteWindow() const;

Q_SIGNALS:
    // A text for a status bar panel; life says whether it clears itself.
    void statusText(StatusPanel panel, const QString &text, StatusLife life = StatusLife::Stays);
    // A page loaded after an insert shows the inserted message.
    void postCheckHit();
    // An auto-insert has ended: the message went into the page, or the user was told it did not.
    void autoInsertFinished(bool inserted);
    // A paste has been handed to the page; inserted tells whether a field took the text.
    void pasteFinished(bool inserted);
    // The secondary browser window was closed.
    void websiteWindowClosed();

private:
    void createActions();
    void connectControls();
    void onLoadFinished();

    BrowserPanel &m_panel;
    MessageEditorPanel &m_editor;
    ForumsPanel &m_forums;
    const ComposeController &m_compose;
    QWebEngineProfile *m_profile;
    SettingsStore &m_settings;
    MessageBoxes &m_boxes;
    Skin &m_skin;
    BrowserPage *m_page = nullptr;
    PostCheck m_postCheck;
    // Every script the controller sends to the page goes through here.
    EngineScriptPage *m_scriptPage = nullptr;
    InsertController *m_insert = nullptr;
    PostCheckRunner *m_postCheckRunner = nullptr;
    QPointer<WebsiteWindow> m_website;
    QAction *m_autoInsert = nullptr;
    QAction *m_paste[4] = {};
    QAction *m_reload = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_stop = nullptr;
    QAction *m_go = nullptr;
    QAction *m_addressBar = nullptr;
    QAction *m_visitWebsite = nullptr;
};
