#pragma once

#include <QString>
#include <QWebEngineUrlRequestInterceptor>

#include <memory>

class QWebEngineProfile;

// The one browser profile every page of a run uses, so a forum login made in the main window
// holds in the secondary window and in pop-ups too. On a storage folder it keeps cookies (session
// cookies included: a forum's login usually is one), local storage and the cache there, so they
// survive a restart; without one it is off the record and keeps nothing.
class BrowserProfile
{
public:
    // storageFolder: where the profile keeps what it stores; empty for one that keeps nothing.
    // interceptor, when given, sees every request of every page made with the profile.
    explicit BrowserProfile(const QString &storageFolder,
                            std::unique_ptr<QWebEngineUrlRequestInterceptor> interceptor = {});
    // Every page made with the profile must be gone by then.
    ~BrowserProfile();
    BrowserProfile(const BrowserProfile &) = delete;
    BrowserProfile &operator=(const BrowserProfile &) = delete;

    // Where the user's profile keeps what it stores: <per-user data folder>/browser.
    static QString userFolder();

    QWebEngineProfile *profile() const { return m_profile; }
    // Empty for a profile that keeps nothing.
    QString storageFolder() const { return m_storageFolder; }

private:
    QString m_storageFolder;
    // Declared first so that it goes last: the profile must never see a gone interceptor.
    std::unique_ptr<QWebEngineUrlRequestInterceptor> m_interceptor;
    QWebEngineProfile *m_profile = nullptr;
};
