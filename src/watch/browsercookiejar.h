#pragma once

#include <QNetworkCookie>
#include <QNetworkCookieJar>

// The cookies the embedded browser holds, kept so the page-size probe can send them: a thread
// visible only to members is measured as the members see it, not as its "please log in" page.
// The browser's cookie store feeds it (addCookie and removeCookie take the cookies its store
// reports as added and removed); which cookies go with an address is decided by
// QNetworkCookieJar's rules: domain and path match, Secure ones only over https, expired ones
// never.
class BrowserCookieJar : public QNetworkCookieJar
{
    Q_OBJECT
public:
    explicit BrowserCookieJar(QObject *parent = nullptr);

    void addCookie(const QNetworkCookie &cookie);
    void removeCookie(const QNetworkCookie &cookie);
    void clear();
    int count() const { return int(allCookies().size()); }

    // The value of the "Cookie:" line for url ("a=1; b=2"), empty when no cookie goes there.
    // A cookie whose name or value could break the request line is left out.
    QByteArray cookieHeader(const QUrl &url) const;
};
