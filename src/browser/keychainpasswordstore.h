#pragma once

#include "browser/passwordstore.h"

#include <QObject>

// The desktop keyring (the Secret Service over D-Bus: GNOME Keyring, KWallet and others), one
// entry per key under the program's name.
class KeychainPasswordStore : public QObject, public PasswordStore
{
    Q_OBJECT
public:
    explicit KeychainPasswordStore(QObject *parent = nullptr);

    void read(const QString &key, Reply reply) override;
    void write(const QString &key, const QString &password, Reply reply) override;
    void remove(const QString &key, Reply reply) override;

private:
    QString m_service;
};
