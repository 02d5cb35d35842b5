#include "watch/probeaddress.h"

#include <QCoreApplication>
#include <QUrl>

#include <algorithm>

namespace {

// A request line must not carry blanks or control characters, and the server expects URL bytes:
// anything outside printable ASCII is sent as percent-encoded UTF-8, as browsers do.
QByteArray encodeTarget(const QString &target)
{
    QByteArray out;
    const QByteArray utf8 = target.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            out += '%';
            out += QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    return out;
}

bool startsWithNoCase(const QString &text, const QString &prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

// Splits "host", "host:port", "[v6]" or "[v6]:port". Returns false when the port is not a number
// from 1 to 65535 or the host is empty.
bool splitAuthority(const QString &authority, ProbeAddress &address)
{
    QString host = authority;
    QString portText;
    bool hasPort = false;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close < 0) {
            address.error = QCoreApplication::translate("Watch", "The address has an unclosed \"[\" in its host name");
            return false;
        }
        host = authority.mid(1, close - 1);
        const QString rest = authority.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':'))) {
                address.error = QCoreApplication::translate("Watch", "The address has text after its host name");
                return false;
            }
            hasPort = true;
            portText = rest.mid(1);
        }
    } else {
        const qsizetype colon = authority.lastIndexOf(QLatin1Char(':'));
        if (colon >= 0) {
            host = authority.left(colon);
            portText = authority.mid(colon + 1);
            hasPort = true;
        }
    }
    if (host.isEmpty()) {
        address.error = QCoreApplication::translate("Watch", "The address names no host");
        return false;
    }
    // The host goes into the "Host:" line as written: a line break there would start a header
    // line of its own.
    if (std::any_of(authority.cbegin(), authority.cend(),
                    [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; })) {
        address.error = QCoreApplication::translate("Watch", "The address has a control character in its host name");
        return false;
    }
    if (hasPort) {
        bool ok = false;
        const uint port = portText.toUInt(&ok, 10);
        // toUInt accepts a leading "+" or blanks; a port is digits only.
        const bool digitsOnly =
            !portText.isEmpty() && std::all_of(portText.cbegin(), portText.cend(), [](QChar c) { return c.isDigit(); });
        if (!ok || !digitsOnly || port < 1 || port > 65535) {
            address.error =
                QCoreApplication::translate("Watch", "The address has an invalid port number: \"%1\"").arg(portText);
            return false;
        }
        address.port = static_cast<quint16>(port);
    }
    // A host name in another script goes on the wire in its ASCII form.
    const bool ascii = std::all_of(host.cbegin(), host.cend(), [](QChar c) { return c.unicode() < 0x80; });
    address.connectHost = ascii ? host : QString::fromLatin1(QUrl::toAce(host));
    if (address.connectHost.isEmpty()) {
        address.error = QCoreApplication::translate("Watch", "The address has an invalid host name: \"%1\"").arg(host);
        return false;
    }
    address.hostHeader = ascii ? authority : QString(authority).replace(host, address.connectHost);
    return true;
}

} // namespace

QUrl ProbeAddress::cookieUrl() const
{
    // The query is no part of a cookie's path; the scheme decides whether Secure cookies go.
    QUrl url;
    url.setScheme(tls ? QStringLiteral("https") : QStringLiteral("http"));
    url.setHost(connectHost);
    url.setPort(port);
    url.setPath(target.left(target.indexOf(QLatin1Char('?'))), QUrl::TolerantMode);
    return url;
}

ProbeAddress splitProbeAddress(const QString &url)
{
    ProbeAddress address;
    QString rest = url;
    static const QString http = QStringLiteral("http://");
    static const QString https = QStringLiteral("https://");
    if (startsWithNoCase(rest, http)) {
        rest.remove(0, http.size());
    } else if (startsWithNoCase(rest, https)) {
        rest.remove(0, https.size());
        address.tls = true;
        address.port = 443;
    }
    const qsizetype hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        rest.truncate(hash);

    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const QString authority = slash < 0 ? rest : rest.left(slash);
    address.target = slash < 0 ? QStringLiteral("/") : rest.mid(slash);
    splitAuthority(authority, address);
    return address;
}

QByteArray probeRequest(const ProbeAddress &address, const QByteArray &cookies)
{
    QByteArray request;
    request += "GET ";
    request += encodeTarget(address.target);
    request += " HTTP/1.1\r\n";
    request += "Host: ";
    request += address.hostHeader.toLatin1();
    request += "\r\n";
    request += "Connection: close\r\n";
    request += "Accept: */*\r\n";
    if (!cookies.isEmpty()) {
        request += "Cookie: ";
        request += cookies;
        request += "\r\n";
    }
    request += "\r\n";
    return request;
}
