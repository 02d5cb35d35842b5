#pragma once

class MainWindow;

// Builds the main window's menu bar from the commands its areas' controllers own. Each item is
// named "<menu>_<position>" (fileMenu_3 is "E&xit"); an item that repeats another menu's command
// under its own caption ("&Saved Messages" is "&Load Message") triggers that command.
void buildMainMenus(MainWindow &window);
