#pragma once

#include "browser/postcheck.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class BrowserPage;
class EngineScriptPage;
class InsertController;
class BrowserPanel;
class ComposeController;
class ForumsPanel;
class MessageEditorPanel;
class WebsiteWindow;

// Wires the browser panel: navigation, status texts, pop-ups, the post check, auto-insert and
// paste (whose buttons sit beside the texts they paste) and the secondary browser window.
class BrowserController : public QObject
{
    Q_OBJECT
public:
    BrowserController(BrowserPanel &panel, MessageEditorPanel &editor, ForumsPanel &forums,
                      const ComposeController &compose, QObject *parent = nullptr);

    void autoInsertMessage();
    void pasteIntoPage(int index);
    void openWebsiteWindow();
    bool websiteWindowVisible() const;
    void closeWebsiteWindow();
    void armPostCheck(int countdown = PostCheck::armedDownloads);
    void navigate(const QString &url);
    // The address of the page the browser shows.
    QUrl currentUrl() const;

    const PostCheck &postCheck() const { return m_postCheck; }
    WebsiteWindow *websiteWindow() const;

Q_SIGNALS:
    // A text for a status bar panel (1 to 3).
    void statusText(int panel, const QString &text);
    // A page loaded after an insert shows the inserted message.
    void postCheckHit();
    // An auto-insert has ended: the message went into the page, or the user was told it did not.
    void autoInsertFinished(bool inserted);
    // A paste has been handed to the page; inserted tells whether a field took the text.
    void pasteFinished(bool inserted);

private:
    void connectControls();
    void onLoadFinished();
    void onPostCheckPage(const PostCheck::Ticket &ticket, const QUrl &pageUrl, const QVariant &body);

    BrowserPanel &m_panel;
    MessageEditorPanel &m_editor;
    ForumsPanel &m_forums;
    const ComposeController &m_compose;
    BrowserPage *m_page = nullptr;
    PostCheck m_postCheck;
    EngineScriptPage *m_scriptPage = nullptr;
    InsertController *m_insert = nullptr;
    QPointer<WebsiteWindow> m_website;
};
