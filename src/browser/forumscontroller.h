#pragma once

#include "core/statustext.h"

#include <QObject>

class MessageBoxes;
class PageNavigator;
class ForumLoginList;
class ForumsPanel;
class PasswordKeeper;
class QAction;

// Wires the "Your Forums" page: the forum list, its login boxes, adding and removing forums.
// Every change is written to posts2.txt at once.
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
    // Tells the keeper of every changed login and removed forum, and shows the passwords it
    // reads back.
    void setPasswordKeeper(PasswordKeeper *keeper);

    // The page's commands; its buttons trigger them.
    QAction *addForumAction() const { return m_addForum; }
    QAction *removeForumAction() const { return m_removeForum; }

Q_SIGNALS:
    // A text for a status bar panel; life says whether it clears itself.
    void statusText(StatusPanel panel, const QString &text, StatusLife life = StatusLife::Stays);

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
};
