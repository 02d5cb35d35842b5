#pragma once

#include <QObject>
#include <QString>

class Form1;

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
    void armPostCheck(int countdown = 4);
    void navigate(const QString &url);

Q_SIGNALS:
    // A page loaded after an insert shows the inserted message.
    void postCheckHit();

private:
    Form1 &m_form;
};
