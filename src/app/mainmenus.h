#pragma once

class QAction;
class QActionGroup;
class QMenuBar;

// The commands the main window's menus lay out, named by the item that shows them. The areas'
// controllers and the window own them; the menus only place them.
struct MainMenuCommands
{
    // File
    QAction *newMessage = nullptr;
    QAction *saveMessage = nullptr;
    QAction *loadMessage = nullptr; // also View > "&Saved Messages"
    QAction *exit = nullptr;
    // Tools
    QAction *preview = nullptr;
    QAction *autoInsert = nullptr;
    QAction *checkReplies = nullptr;
    QAction *templates = nullptr; // also View > "&Templates"
    QAction *pasteMessage = nullptr;
    QAction *pasteSubject = nullptr;
    QAction *pasteUserName = nullptr;
    QAction *pastePassword = nullptr;
    QActionGroup *autoCheckChoices = nullptr; // "Check Replies &Automatically", in their order
    QAction *keyring = nullptr;
    QAction *modernLinks = nullptr;
    // View
    QAction *showAllPosts = nullptr;
    QAction *showNewReplies = nullptr;
    QAction *reload = nullptr;
    QAction *back = nullptr;
    QAction *forward = nullptr;
    QAction *addressBar = nullptr;
    // Help and About
    QAction *help = nullptr;
    QAction *about = nullptr;
};

// Builds the menu bar from commands. Each item is named "<menu>_<position>" (fileMenu_3 is
// "E&xit"); an item that repeats another menu's command under its own caption ("&Saved
// Messages" is "&Load Message") triggers that command.
void buildMainMenus(QMenuBar *bar, const MainMenuCommands &commands);
