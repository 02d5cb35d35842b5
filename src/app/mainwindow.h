#pragma once

#include "app/appcontext.h"
#include "core/statustext.h"

#include <QMainWindow>

#include <memory>

class BrowserController;
class BrowserPanel;
class EmbeddedThreadBrowser;
class ComposeController;
class ForumsController;
class ForumsPanel;
class KeyringOption;
class QAction;
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
    // A window on the run's context, which outlives it.
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: reads the data files and settings into the window. Run once, before showing it.
    void load();
    // Refills the format list from the templates and selects "text".
    void updateInterface();

    void setPanelText(StatusPanel panel, const QString &text, StatusLife life = StatusLife::Stays);
    QString panelText(StatusPanel panel) const;
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
    QLabel *statusPanel(StatusPanel panel) const;
    StatusPanels &statusPanels() const { return *m_status; }

    // The shell's own commands.
    QAction *exitAction() const { return m_exit; }
    QAction *helpAction() const { return m_help; }
    QAction *aboutAction() const { return m_about; }

    ComposeController &compose() const { return *m_compose; }
    BrowserController &browser() const { return *m_browser; }
    WatchController &watch() const { return *m_watch; }
    ForumsController &forums() const { return *m_forums; }
    KeyringOption &keyringOption() const { return *m_keyringOption; }

    AppContext &context() const { return m_context; }
    WatchedPostList &watchedPosts;
    ForumLoginList &forumLogins;
    TemplateSet &templates;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The tabs of pageTabs(), in their order.
    enum PageTab { forumsTab, postsTab };

    void createControllers();
    void createActions();
    void restoreWindowState();
    void saveWindowState();
    void reportErrors(const QStringList &errors);

    AppContext &m_context;
    MessageEditorPanel *m_editorPanel = nullptr;
    BrowserPanel *m_browserPanel = nullptr;
    ForumsPanel *m_forumsPanel = nullptr;
    PostsPanel *m_postsPanel = nullptr;
    QPushButton *m_visitButton = nullptr;
    QTabBar *m_pageTabs = nullptr;
    StatusPanels *m_status = nullptr;
    QAction *m_exit = nullptr;
    QAction *m_help = nullptr;
    QAction *m_about = nullptr;

    ComposeController *m_compose = nullptr;
    BrowserController *m_browser = nullptr;
    // The browser as the watched posts see it; outlives the watch controller.
    std::unique_ptr<EmbeddedThreadBrowser> m_threadBrowser;
    WatchController *m_watch = nullptr;
    ForumsController *m_forums = nullptr;
    KeyringOption *m_keyringOption = nullptr;
    bool m_unloaded = false;
    bool m_exitRequested = false;
};
