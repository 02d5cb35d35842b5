#pragma once

#include "core/statustext.h"

#include <QObject>

class MessageBoxes;
class PageNavigator;
class ForumLoginList;
class ForumsPanel;
class PasswordKeeper;
class QAction;

// Wires the "Your Forums" page: the forum list, its login boxes, adding and removing forums,
// pasting the login. Every change is written to posts2.txt at once.
class ForumsController : public QObject
{
    Q_OBJECT
public:
    ForumsController(ForumsPanel &panel, ForumLoginList &logins, PageNavigator &browser, MessageBoxes &boxes,
                     QObject *parent = nullptr);

    void addCurrentUrl();
    void removeSelected();
    void selectForum(int row);
    void openForum(int row);
    // Paste Username and Paste Password: asks for the box's text, as typed, to be put at the
    // caret of the page.
    void pasteUserName();
    void pastePassword();
    // Tells the keeper of every changed login and removed forum, and shows the passwords it
    // reads back.
    void setPasswordKeeper(PasswordKeeper *keeper);

    // The page's commands; its buttons trigger them.
    QAction *addForumAction() const { return m_addForum; }
    QAction *removeForumAction() const { return m_removeForum; }
    QAction *pasteUserNameAction() const { return m_pasteUserName; }
    QAction *pastePasswordAction() const { return m_pastePassword; }

Q_SIGNALS:
    // A text for a status bar panel; life says whether it clears itself.
    void statusText(StatusPanel panel, const QString &text, StatusLife life = StatusLife::Stays);
    // Paste Username or Paste Password: text goes at the caret of the page the user clicked into.
    void pasteRequested(const QString &text);

private:
    void removeForum(const QString &url);
    void storeLogin();
    void save();

    ForumsPanel &m_panel;
    ForumLoginList &m_logins;
    PageNavigator &m_browser;
    MessageBoxes &m_boxes;
    PasswordKeeper *m_keeper = nullptr;
    bool m_filling = false;
    QAction *m_addForum = nullptr;
    QAction *m_removeForum = nullptr;
    QAction *m_pasteUserName = nullptr;
    QAction *m_pastePassword = nullptr;
};
