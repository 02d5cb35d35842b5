#pragma once

#include "watch/browsercookiejar.h"
#include "watch/pagemeasurement.h"
#include "watch/responsemeter.h"

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QTimer>

class QTcpSocket;

// How a probe behaves: its time limits, TLS settings and the cookies it sends.
struct ProbeSettings
{
    // A connection not made in connectMs, or a connection silent for idleMs, ends the probe as a
    // socket error does; so does a page still arriving after pageMs. Without these a server that
    // never answers, or never stops sending, would hold the probe forever.
    int connectMs = 30 * 1000;
    int idleMs = 60 * 1000;
    int pageMs = 10 * 60 * 1000;
    // TLS settings for "https://" addresses; the system's trusted authorities by default.
    QSslConfiguration sslConfiguration = QSslConfiguration::defaultConfiguration();
    // The browser's cookies; none are sent without a jar.
    QPointer<BrowserCookieJar> cookieJar;
};

// Measures the body size of one web page: a single HTTP/1.1 GET on its own connection, the body
// counted until its announced length or its last chunk has arrived, or else until the server
// closes the connection. A body cut off before the end its header announced, or framing that
// cannot be read, is no measurement. One probe runs at a time; starting again abandons the probe
// in progress, which then reports nothing.
class PageSizeProbe : public QObject
{
    Q_OBJECT

public:
    explicit PageSizeProbe(QObject *parent = nullptr);
    ~PageSizeProbe() override;

    // Begins measuring url. Everything after this happens in the signals below.
    void start(const QString &url);
    // Drops the probe in progress without reporting anything.
    void abort();

    bool isRunning() const { return m_socket != nullptr || m_pendingFailure; }
    // The address of the probe in progress, or of the last one.
    QString url() const { return m_url; }

    // Take effect at the next start.
    void setSettings(const ProbeSettings &settings) { m_settings = settings; }
    const ProbeSettings &settings() const { return m_settings; }
    void setTimeouts(int connectMs, int idleMs);
    void setPageTimeLimit(int ms) { m_settings.pageMs = ms; }
    void setSslConfiguration(const QSslConfiguration &configuration);
    void setCookieJar(BrowserCookieJar *jar) { m_settings.cookieJar = jar; }

    // Why the last probe failed, in one line (the description of its "Error" box).
    QString failureReason() const { return m_failureReason; }
    // When the last probe failed because the server asked to slow down (429 or 503 with a
    // Retry-After): the seconds it asked to wait; otherwise -1.
    int retryAfterSeconds() const { return m_retryAfterSeconds; }
    // What the last probe that finished found on its page.
    const PageMeasurement &measurement() const { return m_measurement; }
    // Bytes of a page kept for reading its posts; a longer page is only counted.
    static constexpr qsizetype pageReadLimit = 4 * 1024 * 1024;

    // The two texts a failure shows in its message box.
    static QString startFailureText(int number, const QString &description);
    static QString socketFailureText(int number, const QString &description);
    // The text of the box for an answer that is not the page (see answerFailure).
    static QString answerFailureText(const QString &url, const QString &reason);
    // Reasons a 2xx answer is still no measurement: its framing cannot be read, or the connection
    // ended before the body did ("the page was cut off: 3,000 of 100,000 bytes"; announced is -1
    // for a chunked body, whose length nobody announced).
    static QString unreadableAnswer();
    static QString cutOffText(qint64 arrived, qint64 announced);

Q_SIGNALS:
    // What the probe is doing (status panel 2).
    void activityText(const QString &text);
    // How much has arrived (status panel 3).
    void progressText(const QString &text);
    // The whole page arrived (a 2xx answer): the measured size.
    void finished(qint64 bodyBytes);
    // The probe could not start, its connection failed, or the answer was not the page (an error
    // status, a redirect); the text for the "Error" box.
    void failed(const QString &boxText);

private:
    void onConnected();
    void onBytesWritten();
    void onReadyRead();
    void onDisconnected();
    void onSocketError(QAbstractSocket::SocketError error);
    void onConnectTimeout();
    void onIdleTimeout();
    void onPageTimeout();
    void fail(int number, const QString &description);
    void failAnswer(const QString &reason);
    void failWith(const QString &reason, const QString &boxText);
    void dropSocket();
    void drain();
    bool judgeAnswer();
    void showProgressText();
    void finishPage();

    QPointer<QTcpSocket> m_socket;
    ResponseMeter m_meter;
    QByteArray m_request;
    QString m_url;
    QTimer m_connectTimer;
    QTimer m_idleTimer;
    QTimer m_pageTimer;
    ProbeSettings m_settings;
    QString m_failureReason;
    PageMeasurement m_measurement;
    bool m_tls = false;
    bool m_connected = false;
    bool m_pendingFailure = false;
    bool m_answerJudged = false;
    int m_retryAfterSeconds = -1;
    quint64 m_generation = 0;
};
