#include "app/appcontext.h"

#include "browser/browserprofile.h"

#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

AppContext::AppContext()
    : profile(browserProfile())
{
    // The probes send the cookies the browser holds, so members-only threads measure as members
    // see them, and still do after a restart.
    if (!profile->isOffTheRecord())
        probeCookies.keepIn(browserProfileFolder() + QStringLiteral("/probe-cookies.txt"));
    QWebEngineCookieStore *cookies = profile->cookieStore();
    QObject::connect(cookies, &QWebEngineCookieStore::cookieAdded, &probeCookies, &BrowserCookieJar::addCookie);
    QObject::connect(cookies, &QWebEngineCookieStore::cookieRemoved, &probeCookies, &BrowserCookieJar::removeCookie);
}
