#pragma once

#include <QObject>

class Form1;
class QListWidgetItem;
class ReplyCheckRun;
class SizeRecorder;

// Wires the "Your Posts" page: watching, removing, the two tabs, the reply check.
class WatchController : public QObject
{
    Q_OBJECT
public:
    explicit WatchController(Form1 &form);

    // Shows the watched posts of the main window's list (after start-up has read them).
    void showPosts();
    // "Watch This Post": watches the page the browser shows and measures it.
    void watchCurrentPage();
    void removeSelectedWatch();
    // 0 = "Show All", 1 = "New Replies ".
    void selectPostsTab(int index);
    void startReplyCheck();

    SizeRecorder &sizeRecorder() const { return *m_recorder; }
    ReplyCheckRun &replyCheck() const { return *m_run; }

private:
    void connectControls();
    void connectModel();
    void applyTab(int index);
    void openPost(QListWidgetItem *item);
    void showError(const QString &text);

    Form1 &m_form;
    SizeRecorder *m_recorder = nullptr;
    ReplyCheckRun *m_run = nullptr;
};
