#include "scriptedhttpserver.h"
#include "watch/pagesizeprobe.h"

#include <QFile>
#include <QSignalSpy>
#include <QSslSocket>
#include <QTest>

namespace {

// Everything one probe reported, in order.
struct ProbeLog
{
    QStringList activity;
    QStringList progress;
    QList<qint64> finished;
    QStringList failed;

    explicit ProbeLog(PageSizeProbe &probe)
    {
        QObject::connect(&probe, &PageSizeProbe::activityText, &probe, [this](const QString &t) { activity << t; });
        QObject::connect(&probe, &PageSizeProbe::progressText, &probe, [this](const QString &t) { progress << t; });
        QObject::connect(&probe, &PageSizeProbe::finished, &probe, [this](qint64 n) { finished << n; });
        QObject::connect(&probe, &PageSizeProbe::failed, &probe, [this](const QString &t) { failed << t; });
    }
    bool done() const { return !finished.isEmpty() || !failed.isEmpty(); }
};

QByteArray slowly(const QByteArray &bytes, ServerScript &script)
{
    for (const char c : bytes) {
        script << ServerStep::send(QByteArray(1, c)) << ServerStep::pause(3);
    }
    return bytes;
}

QByteArray readData(const QString &name)
{
    QFile file(QStringLiteral(THREADLOOM_TEST_DATA "/watch/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPageSizeProbe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void measuresResponses_data();
    void measuresResponses();
    void sendsExactRequest();
    void reportsActivityAndProgress();
    void failsOnSocketErrors_data();
    void failsOnSocketErrors();
    void refusesUnfetchableAddress();
    void restartAbandonsEarlierProbe();
    void fetchesOverTls_data();
    void fetchesOverTls();
};

void TestPageSizeProbe::measuresResponses_data()
{
    QTest::addColumn<ServerScript>("script");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("lastProgress");

    const QByteArray body(1234, 'p');
    QTest::newRow("header and body in one arrival") << ScriptedHttpServer::page(body) << qint64(1234) << QString();

    ServerScript bytewise;
    slowly("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nabcd", bytewise);
    bytewise << ServerStep::close();
    QTest::newRow("one byte per arrival") << bytewise << qint64(4) << "Downloaded 4 from 4 (100%)";

    QTest::newRow("lower-case content-length")
        << ServerScript{ServerStep::send("HTTP/1.1 200 OK\r\ncontent-length: 2000\r\n\r\n"), ServerStep::pause(30),
                        ServerStep::send(QByteArray(500, 'x')), ServerStep::pause(30), ServerStep::close()}
        << qint64(500) << "Downloaded 500 bytes";
    QTest::newRow("no blank after the colon")
        << ServerScript{ServerStep::send("HTTP/1.1 200 OK\r\nContent-Length:2000\r\n\r\n"), ServerStep::pause(30),
                        ServerStep::send(QByteArray(500, 'x')), ServerStep::pause(30), ServerStep::close()}
        << qint64(500) << "Downloaded 500 bytes";
    QTest::newRow("chunked body with its framing")
        << ServerScript{ServerStep::send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"),
                        ServerStep::pause(30),
                        ServerStep::send("5\r\nhello\r\n"),
                        ServerStep::pause(30),
                        ServerStep::send("0\r\n\r\n"),
                        ServerStep::close()}
        << qint64(15) << "Downloaded 15 bytes";
    QTest::newRow("404 page measured like any page")
        << ServerScript{ServerStep::send("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"),
                        ServerStep::close()}
        << qint64(9) << QString();
    QTest::newRow("redirect is not followed")
        << ServerScript{ServerStep::send("HTTP/1.1 302 Found\r\nLocation: /elsewhere\r\n\r\nmoved"),
                        ServerStep::close()}
        << qint64(5) << QString();
    QTest::newRow("closed without a byte") << ServerScript{ServerStep::close()} << qint64(0) << QString();

    // 100 MiB that never ends its header: all of it counts, and the probe keeps at most the span
    // it searches (checked by the meter's own tests); here it must simply get through.
    QTest::newRow("100 MiB without header end")
        << ServerScript{ServerStep::filler(100LL * 1024 * 1024), ServerStep::close()} << qint64(100LL * 1024 * 1024)
        << QString();
    QTest::newRow("4 MiB page") << ScriptedHttpServer::pageOfSize(4LL * 1024 * 1024) << qint64(4LL * 1024 * 1024)
                                << "Downloaded 4194304 from 4194304 (100%)";
}

void TestPageSizeProbe::measuresResponses()
{
    QFETCH(ServerScript, script);
    QFETCH(QString, lastProgress);
    ScriptedHttpServer server;
    server.setDefaultScript(script);
    QVERIFY(server.start());

    PageSizeProbe probe;
    ProbeLog log(probe);
    probe.start(server.url(QStringLiteral("/thread")));
    QTRY_VERIFY_WITH_TIMEOUT(log.done(), 30000);
    QCOMPARE(log.failed, QStringList());
    QCOMPARE(log.finished.size(), 1);
    QTEST(log.finished.first(), "size");
    QVERIFY(!probe.isRunning());
    if (!lastProgress.isEmpty())
        QCOMPARE(log.progress.last(), lastProgress);
}

void TestPageSizeProbe::sendsExactRequest()
{
    ScriptedHttpServer server;
    server.setDefaultScript(ScriptedHttpServer::page("ok"));
    QVERIFY(server.start());
    PageSizeProbe probe;
    ProbeLog log(probe);
    // Capital scheme and a fragment, as a browser may show them after a post.
    const QString url = QStringLiteral("HTTP://127.0.0.1:%1/viewtopic.php?t=3&start=15#p123").arg(server.serverPort());
    probe.start(url);
    QTRY_VERIFY(log.done());
    QCOMPARE(log.finished, QList<qint64>{2});
    QCOMPARE(server.requests().size(), 1);
    const QByteArray expected =
        "GET /viewtopic.php?t=3&start=15 HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(server.serverPort()) +
        "\r\nConnection: close\r\nAccept: */*\r\n\r\n";
    QCOMPARE(server.requests().first(), expected);
}

void TestPageSizeProbe::reportsActivityAndProgress()
{
    ScriptedHttpServer server;
    server.setDefaultScript({ServerStep::send("HTTP/1.1 200 OK\r\nContent-Length: 2000\r\n\r\n"), ServerStep::pause(50),
                             ServerStep::send(QByteArray(500, 'x')), ServerStep::pause(50), ServerStep::close()});
    QVERIFY(server.start());
    PageSizeProbe probe;
    ProbeLog log(probe);
    probe.start(server.url());
    // The progress panel is cleared at once, the activity panel says what happens.
    QCOMPARE(log.progress, QStringList{QString()});
    QCOMPARE(log.activity, QStringList{QStringLiteral("Connecting to the web server")});
    QTRY_VERIFY(log.done());
    QCOMPARE(log.finished, QList<qint64>{500});
    // The arrival that completes the header shows no progress; the next shows the share.
    QCOMPARE(log.progress, (QStringList{QString(), QStringLiteral("Downloaded 500 from 2000 (25%)")}));
    log.activity.removeDuplicates();
    QCOMPARE(log.activity,
             (QStringList{QStringLiteral("Connecting to the web server"), QStringLiteral("Sending request"),
                          QStringLiteral("Request completed"), QStringLiteral("Receiving response")}));
}

void TestPageSizeProbe::failsOnSocketErrors_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("textStart");

    QTest::newRow("refused connection")
        << "refused"
        << QStringLiteral("Error occurred.\r\nError #: %1\r\n").arg(int(QAbstractSocket::ConnectionRefusedError));
    QTest::newRow("server sends nothing and never closes")
        << "silent"
        << QStringLiteral("Error occurred.\r\nError #: %1\r\nTimed out").arg(int(QAbstractSocket::SocketTimeoutError));
    QTest::newRow("server stops in the middle and never closes")
        << "stalls"
        << QStringLiteral("Error occurred.\r\nError #: %1\r\nTimed out").arg(int(QAbstractSocket::SocketTimeoutError));
}

void TestPageSizeProbe::failsOnSocketErrors()
{
    QFETCH(QString, kind);
    ScriptedHttpServer server;
    if (kind == QLatin1String("silent"))
        server.setDefaultScript({ServerStep::stall()});
    else
        server.setDefaultScript({ServerStep::send("HTTP/1.1 200 OK\r\n\r\npartial"), ServerStep::stall()});
    QVERIFY(server.start());
    QString url = server.url();
    if (kind == QLatin1String("refused"))
        server.close(); // nothing listens on that port any more

    PageSizeProbe probe;
    probe.setTimeouts(2000, 300);
    ProbeLog log(probe);
    probe.start(url);
    QTRY_VERIFY_WITH_TIMEOUT(log.done(), 10000);
    QCOMPARE(log.finished, QList<qint64>());
    QCOMPARE(log.failed.size(), 1);
    QFETCH(QString, textStart);
    QVERIFY2(log.failed.first().startsWith(textStart), qPrintable(log.failed.first()));
    QVERIFY(!probe.isRunning());
    // A failed probe says nothing more, however long the server lingers.
    QTest::qWait(400);
    QCOMPARE(log.failed.size(), 1);
    QCOMPARE(log.finished.size(), 0);
}

void TestPageSizeProbe::refusesUnfetchableAddress()
{
    PageSizeProbe probe;
    ProbeLog log(probe);
    probe.start(QStringLiteral("http://127.0.0.1:notaport/x"));
    // Reported from the event loop, never from inside start().
    QVERIFY(log.failed.isEmpty());
    QVERIFY(probe.isRunning());
    QTRY_VERIFY(log.done());
    QCOMPARE(log.failed.size(), 1);
    QVERIFY2(log.failed.first().startsWith(QStringLiteral("An error has occurred.\r\nError #: ")),
             qPrintable(log.failed.first()));
    QVERIFY(log.failed.first().contains(QStringLiteral("\r\nDescription: ")));
}

void TestPageSizeProbe::restartAbandonsEarlierProbe()
{
    ScriptedHttpServer server;
    server.setScript(QStringLiteral("/slow"), {ServerStep::send("HTTP/1.1 200 OK\r\n\r\n"), ServerStep::pause(300),
                                               ServerStep::send("slow body"), ServerStep::close()});
    server.setScript(QStringLiteral("/fast"), ScriptedHttpServer::page("fast"));
    QVERIFY(server.start());

    PageSizeProbe probe;
    ProbeLog log(probe);
    probe.start(server.url(QStringLiteral("/slow")));
    QTRY_COMPARE(server.requests().size(), 1);
    probe.start(server.url(QStringLiteral("/fast")));
    QTRY_VERIFY(log.done());
    QTest::qWait(500);
    QCOMPARE(log.finished, QList<qint64>{4});
    QCOMPARE(log.failed, QStringList());

    // An address that cannot be fetched, replaced at once, reports nothing either.
    probe.start(QStringLiteral("http://:0/"));
    probe.start(server.url(QStringLiteral("/fast")));
    QTRY_COMPARE(log.finished.size(), 2);
    QTest::qWait(50);
    QCOMPARE(log.failed, QStringList());
}

void TestPageSizeProbe::fetchesOverTls_data()
{
    QTest::addColumn<bool>("trusted");
    QTest::newRow("certificate the client trusts") << true;
    QTest::newRow("certificate the client does not trust") << false;
}

void TestPageSizeProbe::fetchesOverTls()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS support in this Qt");
    QFETCH(bool, trusted);
    const QSslCertificate certificate(readData(QStringLiteral("localhost.crt")), QSsl::Pem);
    const QSslKey key(readData(QStringLiteral("localhost.key")), QSsl::Rsa, QSsl::Pem);
    const QSslCertificate root(readData(QStringLiteral("test-root.crt")), QSsl::Pem);
    QVERIFY(!certificate.isNull() && !key.isNull() && !root.isNull());

    ScriptedHttpServer server;
    server.setDefaultScript(ScriptedHttpServer::page(QByteArray(777, 's')));
    QVERIFY(server.startTls(certificate, key));

    PageSizeProbe probe;
    probe.setTimeouts(5000, 5000);
    if (trusted) {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setCaCertificates({root});
        probe.setSslConfiguration(configuration);
    }
    ProbeLog log(probe);
    probe.start(server.url(QStringLiteral("/secure")));
    QTRY_VERIFY_WITH_TIMEOUT(log.done(), 10000);
    if (trusted) {
        QCOMPARE(log.failed, QStringList());
        QCOMPARE(log.finished, QList<qint64>{777});
        QCOMPARE(server.requests().size(), 1);
        QVERIFY(server.requests().first().startsWith("GET /secure HTTP/1.1\r\nHost: localhost:"));
    } else {
        QCOMPARE(log.finished, QList<qint64>());
        QCOMPARE(log.failed.size(), 1);
        QVERIFY2(log.failed.first().startsWith(QStringLiteral("Error occurred.\r\nError #: ")),
                 qPrintable(log.failed.first()));
        // The page was never asked for over an unverified connection.
        QCOMPARE(server.requests().size(), 0);
    }
}

QTEST_GUILESS_MAIN(TestPageSizeProbe)
#include "tst_pagesizeprobe.moc"
