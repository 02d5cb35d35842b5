#pragma once

#include "browser/forumloginlist.h"
#include "compose/templateset.h"
#include "watch/watchedpostlist.h"

#include <QMainWindow>

class BrowserController;
class BrowserPanel;
class ComposeController;
class ForumsController;
class ForumsPanel;
class KeyringOption;
class MainMenus;
class StatusPanels;
class MessageEditorPanel;
class PostsPanel;
class QLabel;
class QPushButton;
class QTabBar;
class WatchController;

// The main window. It places the areas' panels, hands each panel to its area's controller and
// wires the controllers to each other, the menus and the status bar; it decides nothing itself
// beyond start-up and shutdown.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: reads the data files and settings into the window. Run once, before showing it.
    void load();
    // Refills the format list from the templates and selects "text".
    void updateInterface();

    void setPanelText(int panel, const QString &text); // panels 1 to 3
    QString panelText(int panel) const;
    // File > Exit: the orderly shutdown, and every window closes.
    void exitProgram();
    // Brings the window forward on the posts with new replies.
    void showNewReplies();

    MessageEditorPanel *editorPanel() const { return m_editorPanel; }
    BrowserPanel *browserPanel() const { return m_browserPanel; }
    ForumsPanel *forumsPanel() const { return m_forumsPanel; }
    PostsPanel *postsPanel() const { return m_postsPanel; }
    QPushButton *visitButton() const { return m_visitButton; }
    // "Your Forums" / "Your Posts"
    QTabBar *pageTabs() const { return m_pageTabs; }
    QLabel *statusPanel(int panel) const;

    ComposeController &compose() const { return *m_compose; }
    BrowserController &browser() const { return *m_browser; }
    WatchController &watch() const { return *m_watch; }
    ForumsController &forums() const { return *m_forums; }
    KeyringOption &keyringOption() const { return *m_keyringOption; }

    WatchedPostList watchedPosts;
    ForumLoginList forumLogins;
    TemplateSet templates;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControllers();
    void restoreEditor();
    void restoreWindowState();
    void saveWindowState();
    void reportErrors(const QStringList &errors);

    MessageEditorPanel *m_editorPanel = nullptr;
    BrowserPanel *m_browserPanel = nullptr;
    ForumsPanel *m_forumsPanel = nullptr;
    PostsPanel *m_postsPanel = nullptr;
    QPushButton *m_visitButton = nullptr;
    QTabBar *m_pageTabs = nullptr;
    StatusPanels *m_status = nullptr;
    MainMenus *m_menus = nullptr;

    ComposeController *m_compose = nullptr;
    BrowserController *m_browser = nullptr;
    WatchController *m_watch = nullptr;
    ForumsController *m_forums = nullptr;
    KeyringOption *m_keyringOption = nullptr;
    bool m_unloaded = false;
    bool m_exitRequested = false;
};
