#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// Where a page-size probe connects and what it asks for, taken from a page address as the browser
// reports it.
struct ProbeAddress
{
    QString connectHost; // name or address handed to the socket ("::1" without brackets)
    quint16 port = 80;
    QString hostHeader; // the host text as written in the address, port included when given
    QString target;     // request target: from the first "/" after the host, fragment removed
    bool tls = false;   // "https://" addresses are fetched over TLS
    QString error;      // why the address cannot be fetched; empty when it can

    bool isValid() const { return error.isEmpty(); }
    // The address as the cookie rules see it: scheme, host and path, in the browser's form.
    QUrl cookieUrl() const;
};

// Splits an address into host and request target. "http://" and "https://" are recognised in any
// letter case; any other text before the first "/" is taken as the host. An explicit port after
// the host is honoured. The fragment ("#...") is never sent: it only names a place in the page.
ProbeAddress splitProbeAddress(const QString &url);

// The request bytes for an address: a plain HTTP/1.1 GET that asks the server to close the
// connection when done, so the end of the body is the end of the connection. cookies, when not
// empty, is the value of a "Cookie:" line ("a=1; b=2"), sent as the browser would.
QByteArray probeRequest(const ProbeAddress &address, const QByteArray &cookies = {});
