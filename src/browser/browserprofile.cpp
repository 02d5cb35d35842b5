#include "browser/browserprofile.h"

#include <QDir>
#include <QStandardPaths>
#include <QWebEngineProfile>

BrowserProfile::BrowserProfile(const QString &storageFolder,
                               std::unique_ptr<QWebEngineUrlRequestInterceptor> interceptor)
    : m_storageFolder(storageFolder)
    , m_interceptor(std::move(interceptor))
{
    if (m_storageFolder.isEmpty()) {
        m_profile = new QWebEngineProfile();
    } else {
        QDir().mkpath(m_storageFolder);
        m_profile = new QWebEngineProfile(QStringLiteral("Threadloom"));
        m_profile->setPersistentStoragePath(m_storageFolder);
        m_profile->setCachePath(m_storageFolder + QStringLiteral("/cache"));
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    }
    if (m_interceptor)
        m_profile->setUrlRequestInterceptor(m_interceptor.get());
}

BrowserProfile::~BrowserProfile()
{
    delete m_profile;
}

QString BrowserProfile::userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/browser");
}
