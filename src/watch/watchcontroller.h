#pragma once

#include <QObject>

class Form1;

// Wires the "Your Posts" page: watching, removing, the two tabs, the reply check.
class WatchController : public QObject
{
    Q_OBJECT
public:
    explicit WatchController(Form1 &form);

    // Shows the watched posts of the main window's list (after start-up has read them).
    void showPosts();
    void watchCurrentPage();
    void removeSelectedWatch();
    void selectPostsTab(int index);
    void startReplyCheck();

private:
    Form1 &m_form;
};
