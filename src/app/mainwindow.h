#pragma once

#include "browser/forumloginlist.h"
#include "compose/templateset.h"
#include "watch/watchedpostlist.h"

#include <QMainWindow>

class BrowserController;
class ComposeController;
class ForumsController;
class WatchController;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QToolButton;
class QWebEngineView;

// The main window. It holds the controls the areas of the program work on and hands each area's
// events to that area's controller; it decides nothing itself beyond start-up and shutdown.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up: reads the data files and settings into the window. Run once, before showing it.
    void load();
    // Refills the format list from the templates and selects "text".
    void updateInterface();

    void setPanelText(int panel, const QString &text); // panels 1 to 3
    QString panelText(int panel) const;

    ComposeController &compose() const { return *m_compose; }
    BrowserController &browser() const { return *m_browser; }
    WatchController &watch() const { return *m_watch; }
    ForumsController &forums() const { return *m_forums; }

    // Message editor
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtSubject = nullptr;
    QPlainTextEdit *txtMessage = nullptr;
    QComboBox *cmbConvert = nullptr;
    QPushButton *cmdMessage = nullptr;
    QPushButton *cmdOptions = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdLoad = nullptr;
    QPushButton *cmdPreview = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdPaste[4] = {};
    QPushButton *Command1 = nullptr;

    // Browser
    QGroupBox *Frame2 = nullptr;
    QWebEngineView *WebBrowser1 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Text5 = nullptr;
    QToolButton *Command3 = nullptr;
    QToolButton *Command4 = nullptr;
    QToolButton *Command5 = nullptr;
    QToolButton *Command6 = nullptr;
    QToolButton *Command7_1 = nullptr;
    QCheckBox *Check1 = nullptr;

    // "Your Forums" / "Your Posts"
    QTabBar *TabStrip2 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QListWidget *lstPosts2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtUsername = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdAdd2 = nullptr;
    QPushButton *cmdDel2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QTabBar *TabStrip1 = nullptr;
    QListWidget *lstPosts = nullptr;
    QListWidget *lstNew = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdDel = nullptr;
    QPushButton *cmdReplies = nullptr;

    QLabel *statusPanel[3] = {};

    WatchedPostList watchedPosts;
    ForumLoginList forumLogins;
    TemplateSet templates;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createEditor(QWidget *central);
    void createBrowser(QWidget *central);
    void createForumsPage(QWidget *central);
    void createPostsPage(QWidget *central);
    void createStatusBar();
    void createMenus();
    QMenu *addMenu(const QString &name, const QString &title, const QStringList &items, void (Form1::*handler)(int));

    void onFileMenu(int index);
    void onToolsMenu(int index);
    void onViewMenu(int index);
    void onHelpMenu(int index);
    void onAboutMenu(int index);
    void onTabStrip2(int index);
    void restoreEditor();
    void reportErrors(const QStringList &errors);

    ComposeController *m_compose = nullptr;
    BrowserController *m_browser = nullptr;
    WatchController *m_watch = nullptr;
    ForumsController *m_forums = nullptr;
    bool m_unloaded = false;
};
