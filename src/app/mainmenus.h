#pragma once

#include <QObject>

class MainWindow;
class QAction;
class QActionGroup;

// The main window's menus: one handler per menu, dispatching on the item's index, so a menu item
// runs the same operation as its button. Standard shortcuts are shown beside the items.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    explicit MainMenus(MainWindow &window);

    // Ticks the automatic check's current choice (minutes, 0 = off).
    void showAutoCheck(int minutes);
    // Ticks "Keep Passwords in the Desktop Keyring" as the option stands.
    void showKeyring(bool on);
    // The checkable Tools item that switches the link conversion to the modern rules.
    QAction *modernLinksAction() const;

Q_SIGNALS:
    void exitRequested();
    void autoCheckChosen(int minutes);
    void keyringChosen(bool on);

private:
    void addAutoCheckMenu();
    void onFileMenu(int index);
    void onToolsMenu(int index);
    void onViewMenu(int index);

    MainWindow &m_window;
    QActionGroup *m_autoCheck = nullptr;
    QAction *m_keyring = nullptr;
    QAction *m_modernLinks = nullptr;
};
