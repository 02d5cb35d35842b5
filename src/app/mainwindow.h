#pragma once

#include "app/appcontext.h"
#include "app/maincontrols.h"
#include "core/statustext.h"

#include <QMainWindow>

#include <memory>

class BrowserController;
class EmbeddedThreadBrowser;
class ComposeController;
class ForumsController;
class KeyringOption;
class QAction;
class WatchController;

// The main window. It places the areas' panels, hands each panel to its area's controller and
// wires the controllers to each other, the menus and the status bar; it decides nothing itself
// beyond start-up and shutdown. Its controls keep their designed object names, by which anything
// outside finds them.
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

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControllers();
    void createActions();
    void createMenus();
    void restoreWindowState();
    void saveWindowState();
    void reportErrors(const QStringList &errors);

    AppContext &m_context;
    MainControls m_controls;
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
