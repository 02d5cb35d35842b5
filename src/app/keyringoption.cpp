#include "app/keyringoption.h"

#include "app/mainmenus.h"
#include "browser/forumscontroller.h"
#include "browser/keychainpasswordstore.h"
#include "browser/passwordkeeper.h"
#include "core/branding.h"
#include "core/settingsstore.h"
#include "ui/messagebox.h"

#include <QWidget>

namespace {
const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("keyringPasswords");
} // namespace

KeyringOption::KeyringOption(MainMenus &menus, ForumsController &forums, ForumLoginList &logins, QWidget *window)
    : QObject(window)
    , m_menus(menus)
{
    m_keyring = new KeychainPasswordStore(this);
    m_keeper = new PasswordKeeper(logins, *m_keyring, this);
    forums.setPasswordKeeper(m_keeper);
    connect(&menus, &MainMenus::keyringChosen, m_keeper, [this](bool on) {
        if (on)
            m_keeper->turnOn();
        else
            m_keeper->turnOff();
    });
    connect(m_keeper, &PasswordKeeper::keepingChanged, this, [this](bool on) {
        m_menus.showKeyring(on);
        writeSetting(kSection, kKey, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    const auto tell = [window](const QString &text) {
        showMessage(window, branding().programName, text, QMessageBox::Warning);
    };
    connect(m_keeper, &PasswordKeeper::problem, this, tell);
    connect(m_keeper, &PasswordKeeper::saveFailed, this, tell);
}

void KeyringOption::restore()
{
    if (readSetting(kSection, kKey, QStringLiteral("0")) != QLatin1String("1"))
        return;
    m_menus.showKeyring(true);
    m_keeper->resume();
}
