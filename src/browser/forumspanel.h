#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// The "Your Forums" page: the forums with the login kept for the selected one.
// Its controls keep their designed object names; docs/controls.md maps them to these members.
class ForumsPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit ForumsPanel(QWidget *parent);

    QPushButton *addForumButton = nullptr;
    QPushButton *removeForumButton = nullptr;
    QLabel *userNameLabel = nullptr;
    QLabel *passwordLabel = nullptr;
    QLineEdit *userNameBox = nullptr;
    QPushButton *pasteUserNameButton = nullptr;
    QLineEdit *passwordBox = nullptr;
    QPushButton *pastePasswordButton = nullptr;
    QListView *forumList = nullptr;
};
