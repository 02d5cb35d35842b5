#include "browser/keychainpasswordstore.h"

#include "core/branding.h"

#include <qt6keychain/keychain.h>

namespace {
// What the user is told: the keyring's own texts are often internal names.
QString plainError(const QKeychain::Job &job)
{
    switch (job.error()) {
    case QKeychain::NoBackendAvailable: return KeychainPasswordStore::tr("no desktop keyring is running");
    case QKeychain::AccessDenied:
    case QKeychain::AccessDeniedByUser: return KeychainPasswordStore::tr("the keyring is locked or refused access");
    default: break;
    }
    const QString detail = job.errorString().trimmed();
    // No session bus, or nothing on it that keeps secrets.
    if (detail.contains(QLatin1String("D-Bus"), Qt::CaseInsensitive) ||
        detail.contains(QLatin1String("connect"), Qt::CaseInsensitive) ||
        detail.contains(QLatin1String("not provided"), Qt::CaseInsensitive))
        return KeychainPasswordStore::tr("no desktop keyring could be reached (%1)").arg(detail);
    return detail.isEmpty() ? KeychainPasswordStore::tr("the keyring refused")
                            : KeychainPasswordStore::tr("the keyring said \"%1\"").arg(detail);
}

void startJob(QKeychain::Job *job, const QString &key, PasswordStore::Reply reply, bool reads)
{
    job->setAutoDelete(true);
    // Never a plain file in the settings instead of the keyring.
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, job, [reply = std::move(reply), reads](QKeychain::Job *done) {
        PasswordStore::Answer answer;
        if (done->error() == QKeychain::NoError) {
            answer.outcome = PasswordStore::Outcome::Done;
            if (reads)
                answer.password = static_cast<QKeychain::ReadPasswordJob *>(done)->textData();
        } else if (done->error() == QKeychain::EntryNotFound) {
            answer.outcome = PasswordStore::Outcome::NotFound;
        } else {
            answer.error = plainError(*done);
        }
        reply(answer);
    });
    job->start();
}
} // namespace

KeychainPasswordStore::KeychainPasswordStore(QObject *parent)
    : QObject(parent)
    , m_service(branding().programName)
{
}

void KeychainPasswordStore::read(const QString &key, Reply reply)
{
    startJob(new QKeychain::ReadPasswordJob(m_service, this), key, std::move(reply), true);
}

void KeychainPasswordStore::write(const QString &key, const QString &password, Reply reply)
{
    auto *job = new QKeychain::WritePasswordJob(m_service, this);
    job->setTextData(password);
    startJob(job, key, std::move(reply), false);
}

void KeychainPasswordStore::remove(const QString &key, Reply reply)
{
    startJob(new QKeychain::DeletePasswordJob(m_service, this), key, std::move(reply), false);
}
