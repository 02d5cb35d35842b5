#include "app/keyringoption.h"

#include "browser/forumscontroller.h"
#include "browser/keychainpasswordstore.h"
#include "browser/passwordkeeper.h"
#include "core/branding.h"
#include "core/settings.h"
#include "ui/command.h"
#include "ui/messagebox.h"

#include <QAction>
#include <QWidget>

KeyringOption::KeyringOption(ForumsController &forums, ForumLoginList &logins, QWidget *window)
    : QObject(window)
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
        writeSetting(Settings::keyringPasswords, on);
    });
    const auto tell = [window](const QString &text) {
        showMessage(window, branding().programName, text, QMessageBox::Warning);
    };
    connect(m_keeper, &PasswordKeeper::problem, this, tell);
    connect(m_keeper, &PasswordKeeper::saveFailed, this, tell);
}

void KeyringOption::restore()
{
    if (!readSetting(Settings::keyringPasswords))
        return;
    m_action->setChecked(true);
    m_keeper->resume();
}
