#include "app/appcontext.h"

#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

AppContext::AppContext(AppSetup setup)
    : settings(setup.settingsFile)
    , dataFolder(setup.dataFolder)
    , browser(setup.browserFolder, std::move(setup.requestInterceptor))
    , messageBoxes(std::move(setup.messageBoxes))
    , skin(setup.skinEnabled)
    , watchedPosts(dataFolder)
    , forumLogins(dataFolder)
    , help(settings, skin, dataFolder)
{
    // The probes send the cookies the browser holds, so members-only threads measure as members
    // see them, and still do after a restart.
    if (!browser.storageFolder().isEmpty())
        probeCookies.keepIn(browser.storageFolder() + QStringLiteral("/probe-cookies.txt"));
    QWebEngineCookieStore *cookies = browser.profile()->cookieStore();
    QObject::connect(cookies, &QWebEngineCookieStore::cookieAdded, &probeCookies, &BrowserCookieJar::addCookie);
    QObject::connect(cookies, &QWebEngineCookieStore::cookieRemoved, &probeCookies, &BrowserCookieJar::removeCookie);
}
