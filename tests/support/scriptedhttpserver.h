#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

class QTcpSocket;

// One thing the server does on a connection, in order, once the request header has arrived.
struct ServerStep
{
    enum Kind { Send, Pause, SendFiller, Close, Reset, Stall };
    Kind kind = Send;
    QByteArray bytes; // Send: these bytes as one write
    int ms = 0;       // Pause: wait this long
    qint64 count = 0; // SendFiller: this many filler bytes, written as the client drains them

    static ServerStep send(const QByteArray &bytes) { return {Send, bytes, 0, 0}; }
    static ServerStep pause(int ms) { return {Pause, {}, ms, 0}; }
    static ServerStep filler(qint64 count) { return {SendFiller, {}, 0, count}; }
    // Ends the connection gracefully once everything is written.
    static ServerStep close() { return {Close, {}, 0, 0}; }
    // Drops the connection at once.
    static ServerStep reset() { return {Reset, {}, 0, 0}; }
    // Keeps the connection open and silent until the server is destroyed.
    static ServerStep stall() { return {Stall, {}, 0, 0}; }
};
using ServerScript = QList<ServerStep>;

// A web server on 127.0.0.1 or another loopback address (port chosen by the system) that plays scripted answers, for
// tests that need exact control over how a response arrives: split anywhere, paused, never ended, cut off, or far too
// large to keep. Optionally speaks TLS with a given certificate.
class ScriptedHttpServer : public QTcpServer
{
    Q_OBJECT

public:
    explicit ScriptedHttpServer(QObject *parent = nullptr);
    ~ScriptedHttpServer() override;

    bool start(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost));
    bool startTls(const QSslCertificate &certificate, const QSslKey &key);

    // "http://<address>:<port>" + path, or https for a TLS server (host "localhost" then, which
    // the test certificate names).
    QString url(const QString &path = QStringLiteral("/")) const;

    // The answer for every request whose target is path; defaultScript for all others.
    void setScript(const QString &path, const ServerScript &script);
    void setDefaultScript(const ServerScript &script);
    // When set, the answer waits for a full request header (a blank line); otherwise it starts
    // as soon as the connection is made.
    void setWaitForRequest(bool wait) { m_waitForRequest = wait; }

    // The request headers received so far, in order of arrival.
    QList<QByteArray> requests() const { return m_requests; }
    int connectionCount() const { return m_connections; }
    // Connections open now, and the most that were open at once.
    int openConnections() const { return m_open; }
    int mostOpenConnections() const { return m_mostOpen; }

    // Scripts for common answers.
    static QByteArray response(const QByteArray &body, const QByteArray &extraHeaders = {});
    static ServerScript page(const QByteArray &body);
    static ServerScript pageOfSize(qint64 bodyBytes);
    // head at once, then one byte every everyMs, count times, as a server that can barely keep up.
    static ServerScript drip(const QByteArray &head, int count, int everyMs);

Q_SIGNALS:
    void requestReceived(const QByteArray &request);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    friend class ScriptedConnection;
    ServerScript scriptFor(const QByteArray &request) const;
    static ServerScript scriptForTarget(const ScriptedHttpServer *server, const QByteArray &target);
    void recordRequest(const QByteArray &request);

    QHash<QString, ServerScript> m_scripts;
    ServerScript m_defaultScript;
    QList<QByteArray> m_requests;
    QSslCertificate m_certificate;
    QSslKey m_key;
    bool m_tls = false;
    bool m_waitForRequest = true;
    int m_connections = 0;
    int m_open = 0;
    int m_mostOpen = 0;
};
