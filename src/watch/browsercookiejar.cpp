#include "watch/browsercookiejar.h"

#include "core/atomicfile.h"

#include <QDateTime>
#include <QFile>
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
    // Pages set cookies in bursts: one write for the burst.
    m_save.setSingleShot(true);
    m_save.setInterval(1000);
    connect(&m_save, &QTimer::timeout, this, &BrowserCookieJar::saveNow);
}

BrowserCookieJar::~BrowserCookieJar()
{
    if (m_save.isActive())
        saveNow();
}

void BrowserCookieJar::addCookie(const QNetworkCookie &cookie)
{
    // An expired cookie coming in deletes the one it replaces, as in the browser.
    insertCookie(cookie);
    changed();
}

void BrowserCookieJar::removeCookie(const QNetworkCookie &cookie)
{
    deleteCookie(cookie);
    changed();
}

void BrowserCookieJar::clear()
{
    setAllCookies({});
    changed();
}

void BrowserCookieJar::keepIn(const QString &file)
{
    m_file = file;
    QFile stored(file);
    if (!stored.open(QIODevice::ReadOnly))
        return;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<QNetworkCookie> cookies;
    for (const QByteArray &line : stored.readAll().split('\n')) {
        for (const QNetworkCookie &cookie : QNetworkCookie::parseCookies(line.trimmed())) {
            if (cookie.isSessionCookie() || cookie.expirationDate() > now)
                cookies.append(cookie);
        }
    }
    setAllCookies(cookies);
}

void BrowserCookieJar::changed()
{
    if (!m_file.isEmpty())
        m_save.start();
}

void BrowserCookieJar::saveNow()
{
    m_save.stop();
    if (m_file.isEmpty())
        return;
    QByteArray bytes;
    for (const QNetworkCookie &cookie : allCookies())
        bytes += cookie.toRawForm(QNetworkCookie::Full) + '\n';
    const QString error = writeFileAtomically(m_file, bytes, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
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
