#include "scriptedhttpserver.h"

#include <QHostAddress>
#include <QPointer>
#include <QSslSocket>
#include <QTimer>

// Plays one script on one connection.
class ScriptedConnection : public QObject
{
public:
    ScriptedConnection(ScriptedHttpServer *server, QTcpSocket *socket)
        : QObject(server)
        , m_server(server)
        , m_socket(socket)
    {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, &ScriptedConnection::onReadyRead);
        connect(socket, &QTcpSocket::bytesWritten, this, &ScriptedConnection::onBytesWritten);
        ++server->m_open;
        server->m_mostOpen = std::max(server->m_mostOpen, server->m_open);
        connect(socket, &QTcpSocket::disconnected, this, [this] {
            m_done = true;
            closed();
            deleteLater();
        });
        if (!server->m_waitForRequest)
            begin(ScriptedHttpServer::scriptForTarget(server, QByteArray()));
    }

private:
    void closed()
    {
        if (m_counted && m_server) {
            m_counted = false;
            --m_server->m_open;
        }
    }

    void onReadyRead()
    {
        if (m_started) {
            m_socket->readAll();
            return;
        }
        m_request += m_socket->readAll();
        const qsizetype end = m_request.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray request = m_request.left(end + 4);
        m_server->recordRequest(request);
        begin(m_server->scriptFor(request));
    }

    void begin(const ServerScript &script)
    {
        m_started = true;
        m_script = script;
        next();
    }

    void next()
    {
        while (!m_done && m_step < m_script.size()) {
            const ServerStep step = m_script.at(m_step++);
            switch (step.kind) {
            case ServerStep::Send: m_socket->write(step.bytes); break;
            case ServerStep::Pause: QTimer::singleShot(step.ms, this, [this] { next(); }); return;
            case ServerStep::SendFiller:
                m_fillerLeft = step.count;
                topUp();
                if (m_fillerLeft > 0)
                    return; // continued from onBytesWritten
                break;
            case ServerStep::Close:
                m_done = true;
                m_socket->disconnectFromHost();
                return;
            case ServerStep::Reset:
                m_done = true;
                closed();
                m_socket->abort();
                deleteLater();
                return;
            case ServerStep::Stall: return;
            }
        }
    }

    // Keeps a few chunks queued so a large answer never sits in memory whole.
    void topUp()
    {
        static const QByteArray chunk(64 * 1024, 'x');
        while (m_fillerLeft > 0 && m_socket->bytesToWrite() < 4 * chunk.size()) {
            const qint64 n = std::min<qint64>(m_fillerLeft, chunk.size());
            m_socket->write(chunk.constData(), n);
            m_fillerLeft -= n;
        }
    }

    void onBytesWritten()
    {
        if (m_fillerLeft <= 0)
            return;
        topUp();
        if (m_fillerLeft == 0)
            next();
    }

    QPointer<ScriptedHttpServer> m_server;
    QTcpSocket *m_socket;
    QByteArray m_request;
    ServerScript m_script;
    qsizetype m_step = 0;
    qint64 m_fillerLeft = 0;
    bool m_started = false;
    bool m_done = false;
    bool m_counted = true;
};

ScriptedHttpServer::ScriptedHttpServer(QObject *parent)
    : QTcpServer(parent)
{
}

ScriptedHttpServer::~ScriptedHttpServer() = default;

bool ScriptedHttpServer::start(const QHostAddress &address)
{
    // Loopback only: tests never open a port anyone else can reach.
    return address.isLoopback() && listen(address, 0);
}

bool ScriptedHttpServer::startTls(const QSslCertificate &certificate, const QSslKey &key)
{
    m_tls = true;
    m_certificate = certificate;
    m_key = key;
    return start();
}

QString ScriptedHttpServer::url(const QString &path) const
{
    return QStringLiteral("%1://%2:%3%4")
        .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(m_tls ? QStringLiteral("localhost") : serverAddress().toString())
        .arg(serverPort())
        .arg(path);
}

void ScriptedHttpServer::setScript(const QString &path, const ServerScript &script)
{
    m_scripts.insert(path, script);
}

void ScriptedHttpServer::setDefaultScript(const ServerScript &script)
{
    m_defaultScript = script;
}

QByteArray ScriptedHttpServer::response(const QByteArray &body, const QByteArray &extraHeaders)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n" + extraHeaders + "\r\n" + body;
}

ServerScript ScriptedHttpServer::page(const QByteArray &body)
{
    const QByteArray length = "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return {ServerStep::send(response(body, length)), ServerStep::close()};
}

ServerScript ScriptedHttpServer::pageOfSize(qint64 bodyBytes)
{
    const QByteArray length = "Content-Length: " + QByteArray::number(bodyBytes) + "\r\n";
    return {ServerStep::send(response({}, length)), ServerStep::filler(bodyBytes), ServerStep::close()};
}

ServerScript ScriptedHttpServer::drip(const QByteArray &head, int count, int everyMs)
{
    ServerScript script{ServerStep::send(head)};
    for (int i = 0; i < count; ++i)
        script << ServerStep::pause(everyMs) << ServerStep::send("d");
    return script << ServerStep::close();
}

ServerScript ScriptedHttpServer::scriptForTarget(const ScriptedHttpServer *server, const QByteArray &target)
{
    return server->m_scripts.value(QString::fromLatin1(target), server->m_defaultScript);
}

ServerScript ScriptedHttpServer::scriptFor(const QByteArray &request) const
{
    // "GET <target> HTTP/1.1"
    const qsizetype lineEnd = request.indexOf("\r\n");
    const QList<QByteArray> parts = request.left(lineEnd).split(' ');
    return scriptForTarget(this, parts.size() >= 2 ? parts.at(1) : QByteArray());
}

void ScriptedHttpServer::recordRequest(const QByteArray &request)
{
    m_requests.append(request);
    Q_EMIT requestReceived(request);
}

void ScriptedHttpServer::incomingConnection(qintptr descriptor)
{
    ++m_connections;
    if (!m_tls) {
        auto *socket = new QTcpSocket;
        socket->setSocketDescriptor(descriptor);
        new ScriptedConnection(this, socket);
        return;
    }
    auto *socket = new QSslSocket;
    socket->setSocketDescriptor(descriptor);
    socket->setLocalCertificate(m_certificate);
    socket->setPrivateKey(m_key);
    socket->setPeerVerifyMode(QSslSocket::VerifyNone);
    // A client that rejects the certificate simply goes away.
    connect(socket, &QSslSocket::sslErrors, socket, [] {});
    new ScriptedConnection(this, socket);
    socket->startServerEncryption();
}
