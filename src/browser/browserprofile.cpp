#include "browser/browserprofile.h"

#include <QDir>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace {
QWebEngineProfile *g_profile = nullptr;
bool g_throwaway = false;
QWebEngineUrlRequestInterceptor *g_interceptor = nullptr;

QWebEngineProfile *makeProfile()
{
    if (g_throwaway)
        return new QWebEngineProfile();
    const QString folder = browserProfileFolder();
    QDir().mkpath(folder);
    auto *profile = new QWebEngineProfile(QStringLiteral("Threadloom"));
    profile->setPersistentStoragePath(folder);
    profile->setCachePath(folder + QStringLiteral("/cache"));
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    return profile;
}
} // namespace

QString browserProfileFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/browser");
}

QWebEngineProfile *browserProfile()
{
    if (!g_profile) {
        g_profile = makeProfile();
        if (g_interceptor)
            g_profile->setUrlRequestInterceptor(g_interceptor);
    }
    return g_profile;
}

void releaseBrowserProfile()
{
    delete g_profile;
    g_profile = nullptr;
}

void useThrowawayBrowserProfile(bool throwaway)
{
    g_throwaway = throwaway;
}

void setBrowserRequestInterceptor(QWebEngineUrlRequestInterceptor *interceptor)
{
    g_interceptor = interceptor;
    if (g_profile)
        g_profile->setUrlRequestInterceptor(interceptor);
}
