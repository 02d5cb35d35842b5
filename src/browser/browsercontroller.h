#pragma once

#include "browser/postcheck.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class BrowserPage;
class Form1;
class frmWebsite;

// Wires the main window's embedded browser: navigation, status texts, pop-ups, the post check,
// auto-insert, paste and the secondary browser window.
class BrowserController : public QObject
{
    Q_OBJECT
public:
    explicit BrowserController(Form1 &form);

    void autoInsertMessage();
    void pasteIntoPage(int index);
    void openWebsiteWindow();
    bool websiteWindowVisible() const;
    void armPostCheck(int countdown = PostCheck::armedDownloads);
    void navigate(const QString &url);

    const PostCheck &postCheck() const { return m_postCheck; }
    frmWebsite *websiteWindow() const;

Q_SIGNALS:
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
    void startInsert();
    void onInsertMarkup(int serial, const QVariant &body);
    void endInsert(int serial, bool inserted);

    Form1 &m_form;
    BrowserPage *m_page = nullptr;
    PostCheck m_postCheck;
    // One auto-insert at a time; clicks that arrive meanwhile run one after the other.
    bool m_inserting = false;
    int m_queuedInserts = 0;
    int m_insertSerial = 0;
    QTimer m_insertWatchdog;
    QPointer<frmWebsite> m_website;
};
