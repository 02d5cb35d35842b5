#pragma once

#include <QObject>

class ForumLoginList;
class ForumsController;
class KeychainPasswordStore;
class MessageBoxes;
class PasswordKeeper;
class QAction;
class QWidget;
class SettingsStore;

// Tools > "Keep Passwords in the Desktop Keyring": the command, its setting, and the keeper that
// moves the forum passwords when it changes.
class KeyringOption : public QObject
{
    Q_OBJECT
public:
    // The choice is kept in settings; the keeper's problems are told through boxes over window.
    KeyringOption(ForumsController &forums, ForumLoginList &logins, SettingsStore &settings, MessageBoxes &boxes,
                  QWidget *window);

    // Start-up, after the forums were read: with the option on, the passwords come from the keyring.
    void restore();
    PasswordKeeper &keeper() const { return *m_keeper; }
    // The checkable command the Tools menu shows, ticked while the keyring keeps the passwords.
    QAction *action() const { return m_action; }

private:
    SettingsStore &m_settings;
    QAction *m_action = nullptr;
    KeychainPasswordStore *m_keyring = nullptr;
    PasswordKeeper *m_keeper = nullptr;
};
