#include "packedbody.h"
#include "scriptedhttpserver.h"
#include "testenvironment.h"
#include "watch/bodyunpacker.h"
#include "watch/browsercookiejar.h"
#include "watch/pagesizeprobe.h"
#include "watch/probeaddress.h"
#include "watch/replycheckrun.h"
#include "watch/responsemeter.h"
#include "watch/retryafter.h"
#include "watch/watchedpostlist.h"

#include <QFile>
#include <QNetworkCookie>
#include <QSslSocket>
#include <QTest>
#include <QTimeZone>

namespace {

// Everything one probe reported, in order.
struct ProbeLog
{
    QStringList activity, progress, failed;
    QList<qint64> finished;

    explicit ProbeLog(PageSizeProbe &probe)
    {
        QObject::connect(&probe, &PageSizeProbe::activityText, &probe, [this](const QString &t) { activity << t; });
        QObject::connect(&probe, &PageSizeProbe::progressText, &probe, [this](const QString &t) { progress << t; });
        QObject::connect(&probe, &PageSizeProbe::finished, &probe, [this](qint64 n) { finished << n; });
        QObject::connect(&probe, &PageSizeProbe::failed, &probe, [this](const QString &t) { failed << t; });
    }
    bool done() const { return !finished.isEmpty() || !failed.isEmpty(); }
};

// What a reply check said of each post: why it was not checked, or how it grew.
struct CheckOutcomes
{
    QHash<QString, QString> of;
    int finished = 0;

    explicit CheckOutcomes(ReplyCheckRun &run)
    {
        QObject::connect(&run, &ReplyCheckRun::cleared, &run, [this] { of.clear(); });
        QObject::connect(&run, &ReplyCheckRun::postFailed, &run,
                         [this](const QString &url, const QString &reason) { of.insert(url, reason); });
        QObject::connect(&run, &ReplyCheckRun::newReplyDetail, &run,
                         [this](const QString &url, const QString &detail) { of.insert(url, detail); });
        QObject::connect(&run, &ReplyCheckRun::finished, &run, [this] { ++finished; });
    }
};

QByteArray chunkedHead()
{
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
}

QByteArray readData(const QString &name)
{
    QFile file(QStringLiteral(THREADLOOM_TEST_DATA "/watch/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray request(const QByteArray &target, const QByteArray &host)
{
    return "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\nAccept: */*\r\n\r\n";
}

// Sends each piece as its own arrival.
ServerScript inPieces(const QList<QByteArray> &pieces)
{
    ServerScript script;
    for (const QByteArray &piece : pieces)
        script << ServerStep::send(piece) << ServerStep::pause(5);
    return script << ServerStep::close();
}

// One probe of "/thread" on a server playing script.
struct ScriptedProbe
{
    ScriptedHttpServer server;
    PageSizeProbe probe;
    ProbeLog log{probe};

    bool run(const ServerScript &script)
    {
        server.setDefaultScript(script);
        if (!server.start())
            return false;
        probe.start(url());
        return QTest::qWaitFor([this] { return log.done(); }, 30000);
    }
    QString url() const { return server.url(QStringLiteral("/thread")); }
};

} // namespace

// Measuring a page: the request an address gives, how arrivals are counted, and how the probe
// behaves against a scripted loopback server.
class TestPageSizeProbe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsRequests_data();
    void buildsRequests();
    void findsHeaderEnd_data();
    void findsHeaderEnd();
    void formatsProgress_data();
    void formatsProgress();
    void measuresResponses_data();
    void measuresResponses();
    void reportsWhatItDoes();
    void refusesAnswersThatAreNotThePage_data();
    void refusesAnswersThatAreNotThePage();
    void readsPostsOfMeasuredPage_data();
    void readsPostsOfMeasuredPage();
    void fails_data();
    void fails();
    void restartAbandonsEarlierProbe();
    void fetchesOverTls_data();
    void fetchesOverTls();
    void picksBrowserCookies_data();
    void picksBrowserCookies();
    void sendsCookiesToTheirHostOnly();
    void unpacksBodies_data();
    void unpacksBodies();
    void readsRetryAfter_data();
    void readsRetryAfter();
    void framesBodies_data();
    void framesBodies();
    void checkWithstandsHostileServers_data();
    void checkWithstandsHostileServers();
};

void TestPageSizeProbe::buildsRequests_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("tls");
    QTest::addColumn<QByteArray>("request"); // empty: the address is refused

    QTest::newRow("thread page, fragment not sent")
        << "http://f.example.org/showthread.php?t=7#post9"
        << "f.example.org" << 80 << false << request("/showthread.php?t=7", "f.example.org");
    QTest::newRow("no scheme, nothing after host") << "f.example.org"
                                                   << "f.example.org" << 80 << false << request("/", "f.example.org");
    QTest::newRow("scheme in capitals") << "HTTP://F.example.org/t"
                                        << "F.example.org" << 80 << false << request("/t", "F.example.org");
    QTest::newRow("explicit port") << "http://127.0.0.1:8080/t"
                                   << "127.0.0.1" << 8080 << false << request("/t", "127.0.0.1:8080");
    QTest::newRow("https with port") << "hTTpS://f.example.org:8443"
                                     << "f.example.org" << 8443 << true << request("/", "f.example.org:8443");
    QTest::newRow("https default port") << "https://f.example.org/a?b=/c"
                                        << "f.example.org" << 443 << true << request("/a?b=/c", "f.example.org");
    QTest::newRow("bracketed v6") << "http://[::1]:81/x"
                                  << "::1" << 81 << false << request("/x", "[::1]:81");
    // A blank or a line break in the target would end the request line early.
    QTest::newRow("blank and non-ASCII encoded")
        << QString::fromUtf8("http://f.example.org/caf\u00e9 bar") << "f.example.org" << 80 << false
        << request("/caf%C3%A9%20bar", "f.example.org");
    QTest::newRow("line break cannot add a header")
        << "http://f.example.org/a\r\nX-Evil: 1"
        << "f.example.org" << 80 << false << request("/a%0D%0AX-Evil:%201", "f.example.org");
    for (const char *refused : {"", "http://", "/viewtopic.php", "ftp://files.example.org/x", "http://f:70000/",
                                "http://f:web/", "http://f:0/", "http://f:+80/", "http://[::1/"})
        QTest::newRow(refused) << QString::fromLatin1(refused) << QString() << 0 << false << QByteArray();
    // The host goes into the "Host:" line: a control character there could start a header line.
    QTest::newRow("line break in bracketed host")
        << "http://[a\r\nX-Injected: 1]/page" << QString() << 0 << false << QByteArray();
    QTest::newRow("tab in host") << "http://f.exa\tmple.org/" << QString() << 0 << false << QByteArray();
    QTest::newRow("line feed in host") << "f.example.org\nX: 1/" << QString() << 0 << false << QByteArray();
    QTest::newRow("NUL in host") << QStringLiteral("http://f.example.org") + QChar(0) + "x/" << QString() << 0 << false
                                 << QByteArray();
}

void TestPageSizeProbe::buildsRequests()
{
    QFETCH(QString, url);
    QFETCH(QByteArray, request);
    const ProbeAddress address = splitProbeAddress(url);
    QCOMPARE(address.isValid(), !request.isEmpty());
    if (request.isEmpty())
        return;
    QTEST(address.connectHost, "host");
    QTEST(int(address.port), "port");
    QTEST(address.tls, "tls");
    QCOMPARE(probeRequest(address), request);
}

void TestPageSizeProbe::findsHeaderEnd_data()
{
    QTest::addColumn<QList<QByteArray>>("arrivals");
    QTest::addColumn<bool>("headerSeen");
    QTest::addColumn<qint64>("bodyBytes");
    QTest::addColumn<qint64>("contentLength");

    QTest::newRow("end marker split across arrivals")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\n\r", "\n12345"} << true << qint64(5) << qint64(0);
    QTest::newRow("first mention wins, even when unreadable")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\nX-Content-Length-Note: no\r\nContent-Length: 4\r\n\r\nbody"} << true
        << qint64(4) << qint64(0);
    QTest::newRow("blanks around the value")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\nContent-Length:   12  \r\n\r\nbody"} << true << qint64(4)
        << qint64(12);
    // A long cookie block puts the end beyond what a 16-bit position could hold.
    const QByteArray longHeader =
        "HTTP/1.1 200 OK\r\nSet-Cookie: " + QByteArray(40000, 'c') + "\r\nContent-Length: 3\r\n\r\nabc";
    QTest::newRow("header end beyond 32767")
        << QList<QByteArray>{longHeader.left(20000), longHeader.mid(20000)} << true << qint64(3) << qint64(3);
    const QByteArray nearLimit = "HTTP/1.1 200 OK\r\nX: " + QByteArray(ResponseMeter::headerLimit - 30, 'h');
    QTest::newRow("end within the kept span")
        << QList<QByteArray>{nearLimit, "\r\n\r\n" + QByteArray(10, 'b')} << true << qint64(10) << qint64(0);
    const QByteArray pastLimit = "HTTP/1.1 200 OK\r\nX: " + QByteArray(ResponseMeter::headerLimit, 'h');
    QTest::newRow("end past the kept span counts as body")
        << QList<QByteArray>{pastLimit, "\r\n\r\nabc"} << false << qint64(pastLimit.size() + 7) << qint64(0);
}

void TestPageSizeProbe::findsHeaderEnd()
{
    QFETCH(QList<QByteArray>, arrivals);
    ResponseMeter meter;
    for (const QByteArray &arrival : arrivals) {
        meter.feed(arrival.constData(), arrival.size());
        QVERIFY(meter.bufferedBytes() <= ResponseMeter::headerLimit);
    }
    QTEST(meter.headerSeen(), "headerSeen");
    QTEST(meter.bodyBytes(), "bodyBytes");
    QTEST(meter.contentLength(), "contentLength");
    if (meter.headerSeen())
        QCOMPARE(meter.bufferedBytes(), 0); // nothing of the page is kept any more
}

void TestPageSizeProbe::formatsProgress_data()
{
    QTest::addColumn<qint64>("body");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("text");

    QTest::newRow("quarter") << qint64(500) << qint64(2000) << "Downloaded 500 from 2000 (25%)";
    QTest::newRow("no length") << qint64(77) << qint64(0) << "Downloaded 77 bytes";
    QTest::newRow("half rounds to even, down") << qint64(1) << qint64(200) << "Downloaded 1 from 200 (0%)";
    QTest::newRow("half rounds to even, up") << qint64(3) << qint64(200) << "Downloaded 3 from 200 (2%)";
    QTest::newRow("more than announced") << qint64(300) << qint64(200) << "Downloaded 300 from 200 (150%)";
    QTest::newRow("percentage too large to show") << qint64(400000) << qint64(1) << QString();
    QTest::newRow("negative count, no length") << qint64(-5) << qint64(0) << "Downloaded 0 bytes";
    QTest::newRow("negative count far below any percentage")
        << qint64(-1000000000000000000LL) << qint64(1) << "Downloaded 0 from 1 (0%)";
}

void TestPageSizeProbe::formatsProgress()
{
    QFETCH(qint64, body);
    QFETCH(qint64, length);
    QTEST(ResponseMeter::progressText(body, length), "text");
}

void TestPageSizeProbe::measuresResponses_data()
{
    QTest::addColumn<ServerScript>("script");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("lastProgress"); // what panel 3 shows at the end

    QTest::newRow("header and body in one arrival")
        << ScriptedHttpServer::page(QByteArray(1234, 'p')) << qint64(1234) << QString();
    QList<QByteArray> bytes;
    for (const char c : QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nabcd"))
        bytes << QByteArray(1, c);
    QTest::newRow("one byte per arrival") << inPieces(bytes) << qint64(4) << "Downloaded 4 from 4 (100%)";
    // The progress text reads the length the old way; where the page ends is read as HTTP has it.
    QTest::newRow("lower-case content-length")
        << inPieces({"HTTP/1.1 200 OK\r\ncontent-length: 500\r\n\r\n", QByteArray(500, 'x')}) << qint64(500)
        << "Downloaded 500 bytes";
    QTest::newRow("no blank after the colon")
        << inPieces({"HTTP/1.1 200 OK\r\nContent-Length:500\r\n\r\n", QByteArray(500, 'x')}) << qint64(500)
        << "Downloaded 500 bytes";
    QTest::newRow("chunked body with its framing")
        << inPieces({"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "5\r\nhello\r\n", "0\r\n\r\n"})
        << qint64(15) << "Downloaded 15 bytes";
    QTest::newRow("4 MiB page") << ScriptedHttpServer::pageOfSize(4LL << 20) << qint64(4LL << 20)
                                << "Downloaded 4194304 from 4194304 (100%)";
}

void TestPageSizeProbe::measuresResponses()
{
    QFETCH(ServerScript, script);
    QFETCH(QString, lastProgress);
    ScriptedProbe run;
    QVERIFY(run.run(script));
    const ProbeLog &log = run.log;
    const PageSizeProbe &probe = run.probe;
    QCOMPARE(log.failed, QStringList());
    QCOMPARE(log.finished.size(), 1);
    QTEST(log.finished.first(), "size");
    QCOMPARE(log.progress.last(), lastProgress);
    QVERIFY(!probe.isRunning());
}

void TestPageSizeProbe::reportsWhatItDoes()
{
    ScriptedHttpServer server;
    server.setDefaultScript(
        inPieces({"HTTP/1.1 200 OK\r\nContent-Length: 2000\r\n\r\n", QByteArray(500, 'x'), QByteArray(1500, 'y')}));
    QVERIFY(server.start());
    PageSizeProbe probe;
    ProbeLog log(probe);
    const QString url = QStringLiteral("HTTP://127.0.0.1:%1/viewtopic.php?t=3#p123").arg(server.serverPort());
    probe.start(url);
    QCOMPARE(log.progress, QStringList{QString()});
    QCOMPARE(log.activity, QStringList{"Connecting to the web server"});
    QTRY_VERIFY(log.done());
    QCOMPARE(server.requests(), QList<QByteArray>{probeRequest(splitProbeAddress(url))});
    QCOMPARE(log.finished, QList<qint64>{2000});
    // The arrival that completes the header shows no progress; the next ones show the share.
    QCOMPARE(log.progress,
             (QStringList{QString(), "Downloaded 500 from 2000 (25%)", "Downloaded 2000 from 2000 (100%)"}));
    log.activity.removeDuplicates();
    QCOMPARE(log.activity, (QStringList{"Connecting to the web server", "Sending request", "Request completed",
                                        "Receiving response"}));
}

void TestPageSizeProbe::refusesAnswersThatAreNotThePage_data()
{
    QTest::addColumn<ServerScript>("script");
    QTest::addColumn<QString>("reason");

    QTest::newRow("404 page") << inPieces({"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"})
                              << "404 Not Found";
    QTest::newRow("redirect, relative") << inPieces({"HTTP/1.1 301 Moved\r\nlocation: /t/2\r\n\r\n"})
                                        << "moved to %1/t/2";
    QTest::newRow("redirect to the log-in page")
        << inPieces({"HTTP/1.1 302 Found\r\nLocation: /ucp.php?mode=login&redirect=t\r\n\r\n"}) << "login needed";
    QTest::newRow("closed without a byte")
        << ServerScript{ServerStep::close()} << "no readable answer from the web server";
    // Given up on at the first megabyte, not read until the server tires.
    QTest::newRow("endless bytes without header end")
        << ServerScript{ServerStep::filler(1LL << 50)} << "no readable answer from the web server";
}

void TestPageSizeProbe::refusesAnswersThatAreNotThePage()
{
    QFETCH(ServerScript, script);
    QFETCH(QString, reason);
    ScriptedProbe run;
    QVERIFY(run.run(script));
    QCOMPARE(run.log.finished, QList<qint64>());
    reason = reason.arg(run.server.url(QString()));
    QCOMPARE(run.probe.failureReason(), reason);
    QCOMPARE(run.log.failed, QStringList{PageSizeProbe::answerFailureText(run.url(), reason)});
}

void TestPageSizeProbe::readsPostsOfMeasuredPage_data()
{
    QTest::addColumn<ServerScript>("script");
    QTest::addColumn<QList<qint64>>("posts");

    const QByteArray page = "<div id=\"post-7\">a</div><div id=\"post-9\">b</div>";
    QTest::newRow("plain") << ScriptedHttpServer::page(page) << QList<qint64>{7, 9};
    // The chunk framing falls inside a post's name.
    QTest::newRow("chunked") << inPieces({"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                                          "e\r\n" + page.left(14) + "\r\n",
                                          QByteArray::number(page.size() - 14, 16) + "\r\n" + page.mid(14) + "\r\n",
                                          "0\r\n\r\n"})
                             << QList<qint64>{7, 9};
    QTest::newRow("longer than is read") << ScriptedHttpServer::page(
                                                page + QByteArray(PageSizeProbe::pageReadLimit, ' ') + page)
                                         << QList<qint64>();
}

void TestPageSizeProbe::readsPostsOfMeasuredPage()
{
    QFETCH(ServerScript, script);
    ScriptedProbe run;
    QVERIFY(run.run(script));
    QCOMPARE(run.log.failed, QStringList());
    QTEST(run.probe.measurement().postNumbers, "posts");
}

void TestPageSizeProbe::fails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("textStart");

    const QString socketError = QStringLiteral("Error occurred.\r\nError #: %1\r\n");
    QTest::newRow("refused connection") << "refused" << socketError.arg(int(QAbstractSocket::ConnectionRefusedError));
    QTest::newRow("server sends nothing and never closes")
        << "silent" << socketError.arg(int(QAbstractSocket::SocketTimeoutError)) + "Timed out";
    QTest::newRow("server stops in the middle")
        << "stalls" << socketError.arg(int(QAbstractSocket::SocketTimeoutError)) + "Timed out";
    QTest::newRow("address cannot be fetched") << "address" << QStringLiteral("An error has occurred.\r\nError #: ");
    QTest::newRow("page that never ends")
        << "endless" << socketError.arg(int(QAbstractSocket::SocketTimeoutError)) + "Timed out: the page";
}

void TestPageSizeProbe::fails()
{
    QFETCH(QString, kind);
    ScriptedHttpServer server;
    if (kind == "endless")
        server.setDefaultScript({ServerStep::send("HTTP/1.1 200 OK\r\n\r\n"), ServerStep::filler(1LL << 50)});
    else
        server.setDefaultScript(
            {ServerStep::send(kind == "stalls" ? "HTTP/1.1 200 OK\r\n\r\npartial" : ""), ServerStep::stall()});
    QVERIFY(server.start());
    const QString url = kind == "address" ? QStringLiteral("http://127.0.0.1:notaport/") : server.url();
    if (kind == "refused")
        server.close(); // nothing listens on that port any more

    PageSizeProbe probe;
    probe.setTimeouts(2000, 150);
    probe.setPageTimeLimit(500);
    ProbeLog log(probe);
    probe.start(url);
    QVERIFY(log.failed.isEmpty()); // never reported from inside start()
    QTRY_VERIFY_WITH_TIMEOUT(log.done(), 10000);
    QCOMPARE(log.failed.size(), 1);
    QFETCH(QString, textStart);
    QVERIFY2(log.failed.first().startsWith(textStart), qPrintable(log.failed.first()));
    QVERIFY(!probe.isRunning());
    QTest::qWait(200); // however long the server lingers, nothing more is said
    QCOMPARE(log.failed.size(), 1);
    QCOMPARE(log.finished.size(), 0);
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
    // An address that cannot be fetched, replaced at once, reports nothing either.
    probe.start(QStringLiteral("http://:0/"));
    probe.start(server.url(QStringLiteral("/fast")));
    QTRY_VERIFY(log.done());
    QTest::qWait(500);
    QCOMPARE(log.finished, QList<qint64>{4});
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
    QCOMPARE(log.finished, trusted ? QList<qint64>{777} : QList<qint64>());
    QCOMPARE(log.failed.size(), trusted ? 0 : 1);
    // Over an unverified connection the page is never asked for.
    QCOMPARE(server.requests().size(), trusted ? 1 : 0);
    if (!trusted)
        QVERIFY2(log.failed.first().startsWith("Error occurred.\r\nError #: "), qPrintable(log.failed.first()));
}

void TestPageSizeProbe::picksBrowserCookies_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QStringList>("sent");

    const QStringList forum{"sid=1", "wide=2", "script=4"};
    QTest::newRow("thread page, query not a path") << "http://forum.example.org/t?x=/members" << forum;
    QTest::newRow("https: Secure ones too, and the path's own")
        << "https://forum.example.org/members/list" << QStringList{"sid=1", "wide=2", "secure=3", "script=4", "path=7"};
    QTest::newRow("path stops at a slash") << "http://forum.example.org/membersonly" << forum;
    QTest::newRow("host in capitals, no scheme") << "FORUM.Example.org/members" << forum + QStringList{"path=7"};
    QTest::newRow("port does not matter") << "http://forum.example.org:8080/" << forum;
    QTest::newRow("sibling host: domain cookie only") << "http://www.example.org/" << QStringList{"wide=2"};
    QTest::newRow("the domain itself") << "http://example.org/" << QStringList{"wide=2"};
    QTest::newRow("other site") << "http://other.example.net/" << QStringList{"other=8"};
    QTest::newRow("name that ends like the forum") << "http://forum.example.org.evil.net/" << QStringList();
    QTest::newRow("parent of a host-only cookie") << "http://example.org.evil.net/" << QStringList();
}

void TestPageSizeProbe::picksBrowserCookies()
{
    QFETCH(QString, url);
    BrowserCookieJar jar;
    const auto cookie = [](const QByteArray &name, const QByteArray &value, const QString &domain,
                           const QString &path = QStringLiteral("/")) {
        QNetworkCookie c(name, value);
        c.setDomain(domain);
        c.setPath(path);
        return c;
    };
    jar.addCookie(cookie("sid", "1", "forum.example.org")); // host-only, as the browser reports it
    jar.addCookie(cookie("wide", "2", ".example.org"));
    QNetworkCookie secure = cookie("secure", "3", "forum.example.org");
    secure.setSecure(true);
    jar.addCookie(secure);
    QNetworkCookie script = cookie("script", "4", "forum.example.org");
    script.setHttpOnly(true); // kept from page scripts, not from HTTP
    jar.addCookie(script);
    jar.addCookie(cookie("gone", "5", "forum.example.org"));
    QNetworkCookie expired = cookie("gone", "5", "forum.example.org");
    expired.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(-1));
    jar.addCookie(expired); // the browser expiring it
    jar.addCookie(cookie("logout", "6", "forum.example.org"));
    jar.removeCookie(cookie("logout", "6", "forum.example.org"));
    jar.addCookie(cookie("path", "7", "forum.example.org", "/members"));
    jar.addCookie(cookie("other", "8", "other.example.net"));
    jar.addCookie(cookie("evil", "9\r\nX-Injected: 1", ".example.org"));
    QCOMPARE(jar.count(), 7);

    const ProbeAddress address = splitProbeAddress(url);
    QVERIFY(address.isValid());
    QStringList header = QString::fromLatin1(jar.cookieHeader(address.cookieUrl())).split("; ", Qt::SkipEmptyParts);
    QFETCH(QStringList, sent);
    header.sort();
    sent.sort();
    QCOMPARE(header, sent);
}

void TestPageSizeProbe::sendsCookiesToTheirHostOnly()
{
    ScriptedHttpServer server;
    server.setDefaultScript(ScriptedHttpServer::page("members only"));
    QVERIFY(server.start());
    BrowserCookieJar jar;
    QNetworkCookie session("sid", "abc");
    session.setDomain("127.0.0.1");
    session.setPath("/");
    jar.addCookie(session);
    QNetworkCookie elsewhere("other", "x");
    elsewhere.setDomain("127.0.0.2");
    elsewhere.setPath("/");
    jar.addCookie(elsewhere);

    PageSizeProbe probe;
    probe.setCookieJar(&jar);
    ProbeLog log(probe);
    probe.start(server.url(QStringLiteral("/thread")));
    QTRY_VERIFY(log.done());
    QCOMPARE(log.finished, QList<qint64>{12});
    const QByteArray host = server.url().mid(7, server.url().size() - 8).toLatin1();
    QCOMPARE(server.requests(), QList<QByteArray>{"GET /thread HTTP/1.1\r\nHost: " + host +
                                                  "\r\nConnection: close\r\nAccept: */*\r\nCookie: sid=abc\r\n\r\n"});
}

void TestPageSizeProbe::unpacksBodies_data()
{
    QTest::addColumn<QByteArray>("packed");
    QTest::addColumn<QByteArray>("coding"); // the Content-Encoding value
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("page");

    const QByteArray page = "<div id=\"post-7\">a</div>" + QByteArray(3000, ' ');
    const QByteArray gzip = packedBody(page, Packing::Gzip);
    QTest::newRow("gzip") << gzip << QByteArray("gzip") << int(UnpackedBody::Unpacked) << page;
    QTest::newRow("x-gzip, any case") << gzip << QByteArray(" X-GZip ") << int(UnpackedBody::Unpacked) << page;
    QTest::newRow("deflate as a zlib stream")
        << packedBody(page, Packing::Zlib) << QByteArray("deflate") << int(UnpackedBody::Unpacked) << page;
    QTest::newRow("deflate as raw data") << packedBody(page, Packing::RawDeflate) << QByteArray("deflate")
                                         << int(UnpackedBody::Unpacked) << page;
    QTest::newRow("two gzip members") << gzip + packedBody("tail", Packing::Gzip) << QByteArray("gzip")
                                      << int(UnpackedBody::Unpacked) << page + "tail";
    QTest::newRow("padding after the member")
        << gzip + QByteArray(8, '\0') << QByteArray("gzip") << int(UnpackedBody::Unpacked) << page;
    QTest::newRow("cut short") << gzip.left(gzip.size() / 2) << QByteArray("gzip") << int(UnpackedBody::Broken)
                               << QByteArray();
    QTest::newRow("not packed at all") << page << QByteArray("gzip") << int(UnpackedBody::Broken) << QByteArray();
    QTest::newRow("packing we cannot undo") << gzip << QByteArray("br") << int(UnpackedBody::Broken) << QByteArray();
    // A few kilobytes that unpack to far more than is ever read stop at the limit.
    const QByteArray bomb = packedBody(QByteArray(16 * 1024 * 1024, 'x'), Packing::Gzip);
    QTest::newRow("bomb") << bomb << QByteArray("gzip") << int(UnpackedBody::TooLong)
                          << QByteArray(PageSizeProbe::pageReadLimit, 'x');
}

void TestPageSizeProbe::unpacksBodies()
{
    QFETCH(QByteArray, packed);
    QFETCH(QByteArray, coding);
    const UnpackedBody unpacked = unpackBody(packed, bodyPackingFromHeader(coding), PageSizeProbe::pageReadLimit);
    QTEST(int(unpacked.result), "result");
    QTEST(unpacked.page, "page");
}

void TestPageSizeProbe::readsRetryAfter_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("seconds");

    QTest::newRow("seconds") << QByteArray(" 120 ") << 120;
    QTest::newRow("now") << QByteArray("0") << 0;
    QTest::newRow("a date") << QByteArray("Wed, 21 Oct 2026 07:30:00 GMT") << 120;
    QTest::newRow("a date gone by") << QByteArray("Wed, 21 Oct 2026 07:00:00 GMT") << 0;
    QTest::newRow("more than a day") << QByteArray("999999999999") << RetryAfter::maxSeconds;
    for (const char *value :
         {"", "-5", "1.5", "soon", "Wed, 21 Oct 2026 07:30:00 CET", "Wed, 32 Oct 2026 07:30:00 GMT"})
        QTest::newRow(value) << QByteArray(value) << -1;
}

void TestPageSizeProbe::readsRetryAfter()
{
    QFETCH(QByteArray, value);
    const QDateTime now(QDate(2026, 10, 21), QTime(7, 28), QTimeZone::utc());
    QTEST(RetryAfter::seconds(value, now), "seconds");
}

void TestPageSizeProbe::framesBodies_data()
{
    QTest::addColumn<QList<QByteArray>>("arrivals");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<qint64>("bodyBytes");
    QTest::addColumn<QByteArray>("page");

    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    QTest::newRow("announced length, the rest ignored")
        << QList<QByteArray>{ok + "content-length: 5\r\n\r\nhel", "lo, and more"} << true << false << qint64(5)
        << QByteArray("hello");
    QTest::newRow("announced twice alike")
        << QList<QByteArray>{ok + "Content-Length: 2, 2\r\n\r\nab"} << true << false << qint64(2) << QByteArray("ab");
    QTest::newRow("announced twice unalike") << QList<QByteArray>{ok + "Content-Length: 2\r\nContent-Length: 3\r\n\r\n"}
                                             << false << true << qint64(0) << QByteArray();
    QTest::newRow("length no number") << QList<QByteArray>{ok + "Content-Length: 1e3\r\n\r\nab"} << false << true
                                      << qint64(0) << QByteArray();
    QTest::newRow("empty length, then no number")
        << QList<QByteArray>{ok + "Content-Length: 0,e\r\n\r\nab"} << false << true << qint64(0) << QByteArray();
    QTest::newRow("nothing announced: until the close")
        << QList<QByteArray>{ok + "\r\nab", "cd"} << false << false << qint64(4) << QByteArray("abcd");
    QTest::newRow("interim answers before the page")
        << QList<
               QByteArray>{"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: </s.css>\r\n\r\nHTTP/1.1 2",
                           "00 OK\r\nContent-Length: 2\r\n\r\nab"}
        << true << false << qint64(2) << QByteArray("ab");
    QTest::newRow("empty page announced")
        << QList<QByteArray>{ok + "Content-Length: 0\r\n\r\n"} << true << false << qint64(0) << QByteArray();
    // Counted with their framing, as they came; read without it.
    QTest::newRow("chunks, extension, trailer, split anywhere")
        << QList<QByteArray>{chunkedHead() + "3;x=1\r", "\nabc\r\n4\r\nde", "fg\r\n0\r\nX-T: 1\r\n", "\r\nnext"} << true
        << false << qint64(34) << QByteArray("abcdefg");
    QTest::newRow("chunks with bare line feeds")
        << QList<QByteArray>{chunkedHead() + "2\nab\n0\n\n"} << true << false << qint64(8) << QByteArray("ab");
    QTest::newRow("chunks beat an unreadable length")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\nContent-Length: x\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n"}
        << true << false << qint64(5) << QByteArray();
    QTest::newRow("chunk longer than its size")
        << QList<QByteArray>{chunkedHead() + "2\r\nabc\r\n0\r\n\r\n"} << false << true << qint64(6) << QByteArray("ab");
    QTest::newRow("16-digit chunk size") << QList<QByteArray>{chunkedHead() + "0000000000000002\r\nab\r\n"} << false
                                         << true << qint64(18) << QByteArray();
    QTest::newRow("size line that never ends")
        << QList<QByteArray>{chunkedHead() + QByteArray(ChunkDecoder::lineLimit + 1, '1')} << false << true
        << qint64(ChunkDecoder::lineLimit + 1) << QByteArray();
}

void TestPageSizeProbe::framesBodies()
{
    QFETCH(QList<QByteArray>, arrivals);
    ResponseMeter meter;
    meter.setBodyLimit(64);
    for (const QByteArray &arrival : arrivals)
        meter.feed(arrival.constData(), arrival.size());
    QTEST(meter.complete(), "complete");
    QTEST(meter.unreadable(), "unreadable");
    QTEST(meter.bodyBytes(), "bodyBytes");
    QTEST(meter.body(), "page");
}

void TestPageSizeProbe::checkWithstandsHostileServers_data()
{
    QTest::addColumn<ServerScript>("script"); // what the forum's first watched thread gets
    QTest::addColumn<qint64>("storedSize");
    QTest::addColumn<QList<qint64>>("storedPosts");
    QTest::addColumn<QString>("outcome");  // why it was not checked, or how it grew; empty: unchanged
    QTest::addColumn<QString>("sameHost"); // the same for the forum's next thread, a page grown by 900
    QTest::addColumn<bool>("held");        // whether the automatic check leaves the forum alone after

    const QString grown = QStringLiteral("grew by 900 bytes");
    const QString unreadable = PageSizeProbe::unreadableAnswer();
    const QList<qint64> none;
    const auto page = [](const QByteArray &body, const QByteArray &headers) {
        return ScriptedHttpServer::response(body, headers);
    };
    QTest::newRow("1: cut off before its announced length")
        << ServerScript{ServerStep::send(page(QByteArray(3000, 'c'), "Content-Length: 100000\r\n")),
                        ServerStep::close()}
        << qint64(100) << none << "the page was cut off: 3,000 of 100,000 bytes" << grown << false;
    QTest::newRow("1: chunks cut off")
        << ServerScript{ServerStep::send(chunkedHead() + "7d0\r\n" + QByteArray(1000, 'c')), ServerStep::close()}
        << qint64(100) << none << "the page was cut off after 1,005 bytes" << grown << false;
    QTest::newRow("1: more than announced")
        << ServerScript{ServerStep::send(page(QByteArray(1500, 'm'), "Content-Length: 1000\r\n")), ServerStep::close()}
        << qint64(100) << none << grown << grown << false;
    for (const char *size : {"ZZZZ", "000000000000000000000010", "-5"})
        QTest::newRow(qPrintable(QStringLiteral("2: chunk size %1").arg(size)))
            << ServerScript{ServerStep::send(chunkedHead() + size + "\r\n" + QByteArray(1000, 'z')),
                            ServerStep::close()}
            << qint64(100) << none << unreadable << grown << false;
    QTest::newRow("3: whole page, connection kept open")
        << ServerScript{ServerStep::send(page(QByteArray(1000, 'k'), "Content-Length: 1000\r\n")), ServerStep::stall()}
        << qint64(100) << none << grown << grown << false;
    QTest::newRow("3: last chunk, connection kept open")
        << ServerScript{ServerStep::send(chunkedHead() + "3e8\r\n" + QByteArray(1000, 'k') + "\r\n0\r\n\r\n"),
                        ServerStep::stall()}
        << qint64(112) << none << grown << grown << false;
    const QByteArray posts =
        "<div id=\"post-7\">a</div><div id=\"post-9\">b</div><div id=\"post-11\">c</div>" + QByteArray(20000, ' ');
    const QList<QPair<Packing, const char *>> packings{
        {Packing::Gzip, "gzip"}, {Packing::Zlib, "deflate, zlib stream"}, {Packing::RawDeflate, "deflate, raw"}};
    for (const auto &[packing, name] : packings) {
        const QByteArray packed = packedBody(posts, packing);
        const QByteArray coding = packing == Packing::Gzip ? "gzip" : "deflate";
        QTest::newRow(qPrintable(QStringLiteral("4: packed unasked, %1").arg(name)))
            << ServerScript{ServerStep::send(page(packed, "Content-Encoding: " + coding + "\r\n")), ServerStep::close()}
            << qint64(packed.size()) << QList<qint64>{7, 9} << "1 new post" << grown << false;
    }
    QTest::newRow("5: 429 with Retry-After")
        << ServerScript{ServerStep::send("HTTP/1.1 429 Too Many Requests\r\nRetry-After: 120\r\n\r\n"),
                        ServerStep::close()}
        << qint64(100) << none << "429 Too Many Requests" << ReplyCheckRun::waitText(120) << true;
    QTest::newRow("5: 503 with Retry-After, connection kept open")
        << ServerScript{ServerStep::send("HTTP/1.1 503 Service Unavailable\r\nRetry-After: 30\r\n"
                                         "Content-Length: 4\r\n\r\nbusy"),
                        ServerStep::stall()}
        << qint64(100) << none << "503 Service Unavailable" << ReplyCheckRun::waitText(30) << true;
    QTest::newRow("6: one byte at a time")
        << ScriptedHttpServer::drip(ScriptedHttpServer::response({}, "Content-Length: 100000\r\n"), 2000, 20)
        << qint64(100) << none << ReplyCheckRun::tooSlowText() << ReplyCheckRun::tooSlowText() << false;
}

void TestPageSizeProbe::checkWithstandsHostileServers()
{
    QFETCH(ServerScript, script);
    QFETCH(qint64, storedSize);
    QFETCH(QList<qint64>, storedPosts);
    QFETCH(QString, sameHost);
    QFETCH(bool, held);
    TestEnvironment environment;
    ScriptedHttpServer forum;
    ScriptedHttpServer other;
    QVERIFY(forum.start(QHostAddress(QStringLiteral("127.0.0.1"))));
    QVERIFY(other.start(QHostAddress(QStringLiteral("127.0.0.2"))));
    forum.setScript("/hostile", script);
    forum.setDefaultScript(ScriptedHttpServer::page(QByteArray(1000, 'n')));
    other.setDefaultScript(ScriptedHttpServer::page(QByteArray(1000, 'o')));
    const QString hostile = forum.url("/hostile");
    const QString next = forum.url("/next");
    const QString elsewhere = other.url("/elsewhere");

    WatchedPostList list(environment.folder());
    PageMeasurement baseline;
    baseline.size = storedSize;
    baseline.postNumbers = storedPosts;
    for (const QString &url : {hostile, next, elsewhere}) {
        list.watch(url);
        list.recordMeasurement(url, baseline);
        baseline = PageMeasurement{100, {}, {}};
    }
    ReplyCheckRun run(list);
    run.setConnectionLimits(1, ReplyCheckRun::defaultTotalLimit); // the forum's threads one after another
    run.setTooSlowLimit(2000);
    CheckOutcomes outcomes(run);
    run.start();
    // The default silence limit of 60 s stays: a page kept open must not wait for it.
    QTRY_COMPARE_WITH_TIMEOUT(outcomes.finished, 1, 15000);

    QTEST(outcomes.of.value(hostile), "outcome");
    QCOMPARE(outcomes.of.value(next), sameHost);
    QCOMPARE(outcomes.of.value(elsewhere), QStringLiteral("grew by 900 bytes")); // the rest is checked
    // A thread not checked keeps its baseline and is listed at the end; no thread is flagged for it.
    QCOMPARE(list.at(0).size, QString::number(storedSize));
    QCOMPARE(list.at(0).postNumbers, storedPosts);
    const bool askedNext =
        !sameHost.startsWith(QStringLiteral("the forum")) && sameHost != ReplyCheckRun::tooSlowText();
    QCOMPARE(forum.requests().size(), askedNext ? 2 : 1);
    QStringList listed;
    for (const ReplyCheckFailure &failure : run.failures())
        listed << failure.url + " - " + failure.reason;
    QStringList notChecked;
    for (const QString &url : {hostile, next}) {
        const QString said = outcomes.of.value(url);
        if (!said.startsWith(QStringLiteral("grew by")) && !said.endsWith(QStringLiteral("new post")))
            notChecked << url + " - " + said;
    }
    QCOMPARE(listed, notChecked);

    // The automatic check leaves alone a forum that asked to wait; the user asking does not.
    forum.setScript("/hostile", ScriptedHttpServer::page(QByteArray(1000, 'n')));
    const int asked = forum.requests().size();
    run.start(ReplyCheckRun::Trigger::Automatic);
    QTRY_COMPARE_WITH_TIMEOUT(outcomes.finished, 2, 15000);
    QCOMPARE(forum.requests().size(), asked + (held ? 0 : 2));
    QCOMPARE(outcomes.of.value(next).startsWith(QStringLiteral("the forum asked to wait ")), held);
    if (held) {
        run.start();
        QTRY_COMPARE_WITH_TIMEOUT(outcomes.finished, 3, 15000);
        QCOMPARE(forum.requests().size(), asked + 2);
    }
}

QTEST_GUILESS_MAIN(TestPageSizeProbe)
#include "tst_pagesizeprobe.moc"
