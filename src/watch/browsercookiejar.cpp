#include "watch/browsercookiejar.h"

#include <QNetworkCookie>

#include <algorithm>

namespace {
bool fitsInHeader(const QByteArray &bytes)
{
    return std::none_of(bytes.cbegin(), bytes.cend(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || c == ';';
    });
}
} // namespace

BrowserCookieJar::BrowserCookieJar(QObject *parent)
    : QNetworkCookieJar(parent)
{
}

void BrowserCookieJar::addCookie(const QNetworkCookie &cookie)
{
    // An expired cookie coming in deletes the one it replaces, as in the browser.
    insertCookie(cookie);
}

void BrowserCookieJar::removeCookie(const QNetworkCookie &cookie)
{
    deleteCookie(cookie);
}

void BrowserCookieJar::clear()
{
    setAllCookies({});
}

QByteArray BrowserCookieJar::cookieHeader(const QUrl &url) const
{
    QByteArray header;
    for (const QNetworkCookie &cookie : cookiesForUrl(url)) {
        if (cookie.name().isEmpty() || cookie.name().contains('=') || !fitsInHeader(cookie.name()) ||
            !fitsInHeader(cookie.value()))
            continue;
        if (!header.isEmpty())
            header += "; ";
        header += cookie.name() + '=' + cookie.value();
    }
    return header;
}
