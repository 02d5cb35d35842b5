#pragma once

#include <QObject>

class BrowserController;
class ForumLoginList;
class ForumsPanel;
class PasswordKeeper;

// Wires the "Your Forums" page: the forum list, its login boxes, adding and removing forums.
// Every change is written to posts2.txt at once.
class ForumsController : public QObject
{
    Q_OBJECT
public:
    ForumsController(ForumsPanel &panel, ForumLoginList &logins, BrowserController &browser, QObject *parent = nullptr);

    // Shows the forums of the list (after start-up has read them).
    void showForums();
    void addCurrentUrl();
    void removeSelected();
    void selectForum(int row);
    void openForum(int row);
    // Tells the keeper of every changed login and removed forum, and shows the passwords it
    // reads back.
    void setPasswordKeeper(PasswordKeeper *keeper);

Q_SIGNALS:
    // A text for a status bar panel (1 to 3).
    void statusText(int panel, const QString &text);

private:
    void removeForum(const QString &url);
    void storeLogin();
    void save();

    ForumsPanel &m_panel;
    ForumLoginList &m_logins;
    BrowserController &m_browser;
    PasswordKeeper *m_keeper = nullptr;
    bool m_filling = false;
};
