#pragma once

#include "app/mainlayoutapply.h"

class BrowserPanel;
class ForumsPanel;
class MessageEditorPanel;
class PostsPanel;
class QMainWindow;
class QPushButton;
class QTabBar;
class StatusPanels;

// The main window's controls at their designed places: the areas' panels, the page tabs, the
// "Visit" button and the status panels.
struct MainControls
{
    // The tabs of pageTabs, in their order.
    enum PageTab { forumsTab, postsTab };

    QMainWindow *window = nullptr;
    MessageEditorPanel *editor = nullptr;
    BrowserPanel *browser = nullptr;
    ForumsPanel *forums = nullptr;
    PostsPanel *posts = nullptr;
    QPushButton *visitButton = nullptr;
    QTabBar *pageTabs = nullptr; // "Your Forums" / "Your Posts": shows one of forums and posts
    StatusPanels *status = nullptr;

    // What the layout rules move, the lists and boxes inside the panels included.
    MainLayoutWidgets layoutWidgets() const;
};

// Makes the controls in window's central widget and status bar, in the window's tab order.
MainControls placeMainControls(QMainWindow &window);
