#include "watch/pagesizeprobe.h"

#include "watch/answerclassifier.h"
#include "watch/bodyunpacker.h"
#include "watch/probeaddress.h"
#include "watch/retryafter.h"

#include <QLocale>
#include <QSslSocket>

#include <algorithm>

namespace {

// Large enough that a fast page arrives in few reads, small enough to live on the stack.
constexpr qsizetype readChunk = 64 * 1024;
// What the socket may hold for us between two arrivals. Without a bound a fast server fills it
// with megabytes before we get to count them.
constexpr qint64 socketBuffer = 128 * 1024;

QString seconds(int ms)
{
    return QString::number((ms + 999) / 1000);
}

} // namespace

PageSizeProbe::PageSizeProbe(QObject *parent)
    : QObject(parent)
{
    for (QTimer *timer : {&m_connectTimer, &m_idleTimer, &m_pageTimer})
        timer->setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &PageSizeProbe::onConnectTimeout);
    connect(&m_idleTimer, &QTimer::timeout, this, &PageSizeProbe::onIdleTimeout);
    connect(&m_pageTimer, &QTimer::timeout, this, &PageSizeProbe::onPageTimeout);
}

PageSizeProbe::~PageSizeProbe()
{
    dropSocket();
}

void PageSizeProbe::setTimeouts(int connectMs, int idleMs)
{
    m_settings.connectMs = connectMs;
    m_settings.idleMs = idleMs;
}

void PageSizeProbe::setSslConfiguration(const QSslConfiguration &configuration)
{
    m_settings.sslConfiguration = configuration;
}

QString PageSizeProbe::startFailureText(int number, const QString &description)
{
    return tr("An error has occurred.\r\nError #: %1\r\nDescription: %2").arg(number).arg(description);
}

QString PageSizeProbe::answerFailureText(const QString &url, const QString &reason)
{
    return tr("The page was not measured: %1\r\n%2").arg(reason, url);
}

QString PageSizeProbe::socketFailureText(int number, const QString &description)
{
    return tr("Error occurred.\r\nError #: %1\r\n%2").arg(number).arg(description);
}

void PageSizeProbe::start(const QString &url)
{
    abort();
    m_url = url;
    m_failureReason.clear();
    m_retryAfterSeconds = -1;
    m_answerJudged = false;
    m_measurement = PageMeasurement();
    const ProbeAddress address = splitProbeAddress(url);
    m_meter.reset();
    m_meter.setBodyLimit(pageReadLimit);
    Q_EMIT progressText(QString());

    if (!address.isValid()) {
        // Reported from the event loop, like every other outcome, so a caller that starts the
        // next probe from its failure handler never recurses.
        m_pendingFailure = true;
        m_failureReason = address.error;
        const quint64 generation = m_generation;
        const QString text = startFailureText(QAbstractSocket::HostNotFoundError, address.error);
        QTimer::singleShot(0, this, [this, generation, text] {
            if (generation != m_generation)
                return;
            m_pendingFailure = false;
            Q_EMIT failed(text);
        });
        return;
    }

    const QByteArray cookies =
        m_settings.cookieJar ? m_settings.cookieJar->cookieHeader(address.cookieUrl()) : QByteArray();
    m_request = probeRequest(address, cookies);
    m_connected = false;
    m_tls = address.tls;
    QTcpSocket *socket = nullptr;
    if (m_tls) {
        auto *ssl = new QSslSocket(this);
        ssl->setSslConfiguration(m_settings.sslConfiguration);
        connect(ssl, &QSslSocket::encrypted, this, &PageSizeProbe::onConnected);
        socket = ssl;
    } else {
        socket = new QTcpSocket(this);
        connect(socket, &QTcpSocket::connected, this, &PageSizeProbe::onConnected);
    }
    m_socket = socket;
    socket->setReadBufferSize(socketBuffer);
    connect(socket, &QTcpSocket::bytesWritten, this, &PageSizeProbe::onBytesWritten);
    connect(socket, &QTcpSocket::readyRead, this, &PageSizeProbe::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &PageSizeProbe::onDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this, &PageSizeProbe::onSocketError);

    Q_EMIT activityText(tr("Connecting to the web server"));
    m_connectTimer.setInterval(m_settings.connectMs);
    m_idleTimer.setInterval(m_settings.idleMs);
    m_pageTimer.setInterval(m_settings.pageMs);
    m_connectTimer.start();
    m_pageTimer.start();
    if (m_tls)
        static_cast<QSslSocket *>(socket)->connectToHostEncrypted(address.connectHost, address.port);
    else
        socket->connectToHost(address.connectHost, address.port);
}

void PageSizeProbe::abort()
{
    ++m_generation;
    m_pendingFailure = false;
    dropSocket();
}

void PageSizeProbe::dropSocket()
{
    m_connectTimer.stop();
    m_idleTimer.stop();
    m_pageTimer.stop();
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    // Nothing the old connection still does may reach this probe.
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void PageSizeProbe::onConnected()
{
    m_connectTimer.stop();
    m_idleTimer.start();
    m_connected = true;
    m_socket->write(m_request);
}

void PageSizeProbe::onBytesWritten()
{
    m_idleTimer.start();
    Q_EMIT activityText(tr("Sending request"));
    if (m_socket && m_socket->bytesToWrite() == 0)
        Q_EMIT activityText(tr("Request completed"));
}

void PageSizeProbe::onReadyRead()
{
    m_idleTimer.start();
    drain();
}

void PageSizeProbe::drain()
{
    if (!m_socket || m_socket->bytesAvailable() <= 0)
        return;
    Q_EMIT activityText(tr("Receiving response"));
    // One arrival is everything waiting now. The header, the chunk framing and the part of the
    // page kept for reading are looked at; the rest of the body is counted and dropped where the
    // socket holds it, never copied or stored.
    char buffer[readChunk];
    bool showProgress = false;
    while (m_socket->bytesAvailable() > 0) {
        const qint64 unseen = std::min(m_meter.skippable(), m_socket->bytesAvailable());
        const qint64 got = unseen > 0 ? m_socket->skip(unseen) : m_socket->read(buffer, readChunk);
        if (got <= 0)
            break;
        showProgress = unseen > 0 ? m_meter.skip(got) : m_meter.feed(buffer, got);
        if (m_meter.gaveUp()) {
            // No header end in the first megabyte: whatever follows, this is no page. Reading on
            // would only make the user wait for the rest of it.
            failAnswer(answerFailure(0, QByteArray(), QByteArray(), m_url));
            return;
        }
        if (m_meter.headerSeen() && !judgeAnswer())
            return;
        if (m_meter.complete()) {
            // A server may keep the connection open after the page (it ignores "Connection:
            // close"): the page is whole once its length or its last chunk is here.
            if (showProgress)
                showProgressText();
            finishPage();
            return;
        }
    }
    if (showProgress)
        showProgressText();
}

void PageSizeProbe::showProgressText()
{
    const QString text = ResponseMeter::progressText(m_meter.bodyBytes(), m_meter.contentLength());
    if (!text.isEmpty())
        Q_EMIT progressText(text);
}

bool PageSizeProbe::judgeAnswer()
{
    if (!m_answerJudged) {
        m_answerJudged = true;
        // An error page, a redirect or a log-in page is not the thread: measuring it would make
        // its size the baseline, against which no reply could ever be found. The header says
        // so; its body need not be waited for.
        const QString failure = answerFailure(m_meter.statusCode(), m_meter.reasonPhrase(), m_meter.location(), m_url);
        if (!failure.isEmpty()) {
            if (RetryAfter::isSlowDown(m_meter.statusCode()))
                m_retryAfterSeconds = RetryAfter::seconds(m_meter.retryAfter(), QDateTime::currentDateTimeUtc());
            failAnswer(failure);
            return false;
        }
    }
    if (m_meter.unreadable()) {
        failAnswer(unreadableAnswer());
        return false;
    }
    return true;
}

QString PageSizeProbe::unreadableAnswer()
{
    return tr("unreadable answer from the web server");
}

QString PageSizeProbe::cutOffText(qint64 arrived, qint64 announced)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    if (announced < 0)
        return tr("the page was cut off after %1 bytes").arg(english.toString(arrived));
    return tr("the page was cut off: %1 of %2 bytes").arg(english.toString(arrived), english.toString(announced));
}

void PageSizeProbe::onDisconnected()
{
    if (!m_socket)
        return;
    if (!m_connected) {
        // Closed before the request could go out (a TLS handshake cut short): no page at all.
        fail(QAbstractSocket::RemoteHostClosedError, m_socket->errorString());
        return;
    }
    // Whatever arrived just before the close belongs to the page.
    drain();
    if (!m_socket)
        return;
    if (!m_meter.headerSeen()) {
        failAnswer(answerFailure(0, QByteArray(), QByteArray(), m_url));
        return;
    }
    // A page whose length or chunks say there is more was cut off: what arrived is no
    // measurement of it.
    if (m_meter.announcedLength() >= 0 || m_meter.chunked()) {
        failAnswer(cutOffText(m_meter.bodyBytes(), m_meter.announcedLength()));
        return;
    }
    finishPage();
}

void PageSizeProbe::finishPage()
{
    const qint64 size = m_meter.bodyBytes();
    // A packed page (nobody asked for it, some servers pack anyway) is read unpacked; its size
    // is what came over the wire, as for any page.
    const BodyPacking packing = bodyPackingFromHeader(m_meter.contentEncoding());
    bool cut = m_meter.bodyCut() || packing == BodyPacking::Unknown;
    QByteArray page = m_meter.body();
    if (!cut && packing != BodyPacking::None) {
        const UnpackedBody unpacked = unpackBody(page, packing, pageReadLimit);
        if (unpacked.result == UnpackedBody::Broken) {
            failAnswer(unreadableAnswer());
            return;
        }
        cut = unpacked.result == UnpackedBody::TooLong;
        page = unpacked.page;
    }
    m_measurement = readMeasuredPage(size, page, false, cut);
    dropSocket();
    Q_EMIT finished(size);
}

void PageSizeProbe::onSocketError(QAbstractSocket::SocketError error)
{
    // The server closing the connection is how every page ends.
    if (error == QAbstractSocket::RemoteHostClosedError || !m_socket)
        return;
    fail(error, m_socket->errorString());
}

void PageSizeProbe::onConnectTimeout()
{
    if (!m_socket)
        return;
    fail(QAbstractSocket::SocketTimeoutError,
         tr("Timed out: the web server did not accept a connection within %1 seconds")
             .arg(seconds(m_connectTimer.interval())));
}

void PageSizeProbe::onIdleTimeout()
{
    if (!m_socket)
        return;
    fail(QAbstractSocket::SocketTimeoutError,
         tr("Timed out: the web server sent nothing for %1 seconds").arg(seconds(m_idleTimer.interval())));
}

void PageSizeProbe::onPageTimeout()
{
    if (!m_socket)
        return;
    fail(QAbstractSocket::SocketTimeoutError,
         tr("Timed out: the page was still arriving after %1 seconds").arg(seconds(m_pageTimer.interval())));
}

void PageSizeProbe::failAnswer(const QString &reason)
{
    failWith(reason, answerFailureText(m_url, reason));
}

void PageSizeProbe::fail(int number, const QString &description)
{
    failWith(description, socketFailureText(number, description));
}

void PageSizeProbe::failWith(const QString &reason, const QString &boxText)
{
    ++m_generation;
    dropSocket();
    m_failureReason = reason;
    Q_EMIT failed(boxText);
}
