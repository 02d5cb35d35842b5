#pragma once

#include <QObject>

class ForumLoginList;
class ForumsController;
class KeychainPasswordStore;
class MainMenus;
class PasswordKeeper;
class QWidget;

// Tools > "Keep Passwords in the Desktop Keyring": the menu item, its setting, and the keeper
// that moves the forum passwords when it changes.
class KeyringOption : public QObject
{
    Q_OBJECT
public:
    KeyringOption(MainMenus &menus, ForumsController &forums, ForumLoginList &logins, QWidget *window);

    // Start-up, after the forums were read: with the option on, the passwords come from the keyring.
    void restore();
    PasswordKeeper &keeper() const { return *m_keeper; }

private:
    MainMenus &m_menus;
    KeychainPasswordStore *m_keyring = nullptr;
    PasswordKeeper *m_keeper = nullptr;
};
