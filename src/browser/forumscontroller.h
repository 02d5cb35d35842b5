#pragma once

#include <QObject>

class Form1;

// Wires the "Your Forums" page: the forum list, its login boxes, adding and removing forums.
// Every change is written to posts2.txt at once.
class ForumsController : public QObject
{
    Q_OBJECT
public:
    explicit ForumsController(Form1 &form);

    // Shows the forums of the main window's list (after start-up has read them).
    void showForums();
    void addCurrentUrl();
    void removeSelected();
    void selectForum(int row);
    void openForum(int row);

private:
    void storeLogin();
    void save();

    Form1 &m_form;
    bool m_filling = false;
};
