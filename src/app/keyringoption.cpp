#include "app/keyringoption.h"

#include "browser/forumscontroller.h"
#include "browser/keychainpasswordstore.h"
#include "browser/passwordkeeper.h"
#include "core/branding.h"
#include "core/settingsstore.h"
#include "ui/command.h"
#include "ui/messageboxes.h"

#include <QAction>
#include <QWidget>

KeyringOption::KeyringOption(ForumsController &forums, ForumLoginList &logins, SettingsStore &settings,
                             MessageBoxes &boxes, QWidget *window)
    : QObject(window)
    , m_settings(settings)
{
    m_action = makeCommand(this, tr("Keep Passwords in the Desktop Keyring"));
    m_action->setObjectName(QStringLiteral("keyringPasswords"));
    m_action->setCheckable(true);
    m_keyring = new KeychainPasswordStore(this);
    m_keeper = new PasswordKeeper(logins, *m_keyring, this);
    forums.setPasswordKeeper(m_keeper);
    connect(m_action, &QAction::triggered, m_keeper, [this](bool on) {
        if (on)
            m_keeper->turnOn();
        else
            m_keeper->turnOff();
    });
    connect(m_keeper, &PasswordKeeper::keepingChanged, this, [this](bool on) {
        m_action->setChecked(on);
        m_settings.write(Settings::keyringPasswords, on);
    });
    const auto tell = [window, boxes = &boxes](const QString &text) {
        boxes->showMessage(window, branding().programName, text, QMessageBox::Warning);
    };
    connect(m_keeper, &PasswordKeeper::problem, this, tell);
    connect(m_keeper, &PasswordKeeper::saveFailed, this, tell);
}

void KeyringOption::restore()
{
    if (!m_settings.read(Settings::keyringPasswords))
        return;
    m_action->setChecked(true);
    m_keeper->resume();
}
