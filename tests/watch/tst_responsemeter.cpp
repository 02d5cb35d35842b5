#include "watch/probeaddress.h"
#include "watch/responsemeter.h"

#include <QTest>

// The pure parts of measuring a page: how an address becomes a request, and how arrivals are
// counted into a body size.
class TestResponseMeter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsAddresses_data();
    void splitsAddresses();
    void rejectsAddresses_data();
    void rejectsAddresses();
    void buildsRequestBytes_data();
    void buildsRequestBytes();
    void countsArrivals_data();
    void countsArrivals();
    void formatsProgress_data();
    void formatsProgress();
};

void TestResponseMeter::splitsAddresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("hostHeader");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("tls");

    QTest::newRow("plain") << "http://forum.example.org/viewtopic.php?t=12"
                           << "forum.example.org" << 80 << "forum.example.org"
                           << "/viewtopic.php?t=12" << false;
    QTest::newRow("nothing after host") << "http://forum.example.org"
                                        << "forum.example.org" << 80 << "forum.example.org"
                                        << "/" << false;
    QTest::newRow("no scheme") << "forum.example.org/t/1"
                               << "forum.example.org" << 80 << "forum.example.org"
                               << "/t/1" << false;
    QTest::newRow("scheme in capitals") << "HTTP://Forum.Example.org/t"
                                        << "Forum.Example.org" << 80 << "Forum.Example.org"
                                        << "/t" << false;
    QTest::newRow("explicit port") << "http://forum.example.org:8080/t"
                                   << "forum.example.org" << 8080 << "forum.example.org:8080"
                                   << "/t" << false;
    QTest::newRow("fragment dropped") << "http://f.example.org/viewtopic.php?p=5#p123"
                                      << "f.example.org" << 80 << "f.example.org"
                                      << "/viewtopic.php?p=5" << false;
    QTest::newRow("fragment right after host") << "http://f.example.org#top"
                                               << "f.example.org" << 80 << "f.example.org"
                                               << "/" << false;
    QTest::newRow("https") << "https://f.example.org/t"
                           << "f.example.org" << 443 << "f.example.org"
                           << "/t" << true;
    QTest::newRow("https mixed case with port") << "hTTpS://f.example.org:8443"
                                                << "f.example.org" << 8443 << "f.example.org:8443"
                                                << "/" << true;
    QTest::newRow("bracketed v6 with port") << "http://[::1]:81/x"
                                            << "::1" << 81 << "[::1]:81"
                                            << "/x" << false;
    QTest::newRow("slash inside the query stays in the target") << "http://f.example.org/a?b=/c"
                                                                << "f.example.org" << 80 << "f.example.org"
                                                                << "/a?b=/c" << false;
}

void TestResponseMeter::splitsAddresses()
{
    QFETCH(QString, url);
    const ProbeAddress address = splitProbeAddress(url);
    QVERIFY2(address.isValid(), qPrintable(address.error));
    QTEST(address.connectHost, "host");
    QTEST(int(address.port), "port");
    QTEST(address.hostHeader, "hostHeader");
    QTEST(address.target, "target");
    QTEST(address.tls, "tls");
}

void TestResponseMeter::rejectsAddresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("empty") << QString();
    QTest::newRow("scheme only") << "http://";
    QTest::newRow("path only") << "/viewtopic.php";
    // Another scheme is not stripped: its name becomes a host with an empty port.
    QTest::newRow("other scheme") << "ftp://files.example.org/x";
    QTest::newRow("port too large") << "http://f.example.org:70000/";
    QTest::newRow("port not a number") << "http://f.example.org:web/";
    QTest::newRow("port zero") << "http://f.example.org:0/";
    QTest::newRow("signed port") << "http://f.example.org:+80/";
    QTest::newRow("unclosed bracket") << "http://[::1/";
}

void TestResponseMeter::rejectsAddresses()
{
    QFETCH(QString, url);
    QVERIFY(!splitProbeAddress(url).isValid());
}

void TestResponseMeter::buildsRequestBytes_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QByteArray>("request");

    QTest::newRow("thread page") << "http://forum.example.org/showthread.php?t=7#post9"
                                 << QByteArray("GET /showthread.php?t=7 HTTP/1.1\r\nHost: forum.example.org\r\n"
                                               "Connection: close\r\nAccept: */*\r\n\r\n");
    QTest::newRow("host only") << "forum.example.org"
                               << QByteArray("GET / HTTP/1.1\r\nHost: forum.example.org\r\n"
                                             "Connection: close\r\nAccept: */*\r\n\r\n");
    QTest::newRow("port in host line")
        << "http://127.0.0.1:8080/t"
        << QByteArray("GET /t HTTP/1.1\r\nHost: 127.0.0.1:8080\r\nConnection: close\r\nAccept: */*\r\n\r\n");
    // A blank or a line break in the target would end the request line early.
    QTest::newRow("blank and non-ASCII encoded")
        << QString::fromUtf8("http://f.example.org/forum/caf\u00e9 bar")
        << QByteArray("GET /forum/caf%C3%A9%20bar HTTP/1.1\r\nHost: f.example.org\r\n"
                      "Connection: close\r\nAccept: */*\r\n\r\n");
    QTest::newRow("line break cannot inject a header")
        << "http://f.example.org/a\r\nX-Evil: 1"
        << QByteArray("GET /a%0D%0AX-Evil:%201 HTTP/1.1\r\nHost: f.example.org\r\n"
                      "Connection: close\r\nAccept: */*\r\n\r\n");
}

void TestResponseMeter::buildsRequestBytes()
{
    QFETCH(QString, url);
    const ProbeAddress address = splitProbeAddress(url);
    QVERIFY2(address.isValid(), qPrintable(address.error));
    QTEST(probeRequest(address), "request");
}

void TestResponseMeter::countsArrivals_data()
{
    QTest::addColumn<QList<QByteArray>>("arrivals");
    QTest::addColumn<bool>("headerSeen");
    QTest::addColumn<qint64>("bodyBytes");
    QTest::addColumn<qint64>("contentLength");

    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Length: 2000\r\n\r\n";
    QTest::newRow("header and body together")
        << QList<QByteArray>{head + QByteArray(500, 'b')} << true << qint64(500) << qint64(2000);
    QTest::newRow("header alone, then body")
        << QList<QByteArray>{head, QByteArray(300, 'b'), QByteArray(200, 'b')} << true << qint64(500) << qint64(2000);

    QList<QByteArray> bytewise;
    for (const char c : head + "xyz")
        bytewise.append(QByteArray(1, c));
    QTest::newRow("one byte per arrival") << bytewise << true << qint64(3) << qint64(2000);

    QTest::newRow("end marker split across arrivals")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\n\r", "\n12345"} << true << qint64(5) << qint64(0);
    QTest::newRow("lower-case name is not the length")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\ncontent-length: 4\r\n\r\nbody"} << true << qint64(4) << qint64(0);
    QTest::newRow("no blank after the colon")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\nContent-Length:4\r\n\r\nbody"} << true << qint64(4) << qint64(0);
    QTest::newRow("first mention wins, even when unreadable")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\nX-Content-Length-Note: none\r\nContent-Length: 4\r\n\r\nbody"} << true
        << qint64(4) << qint64(0);
    QTest::newRow("blanks around the value")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\nContent-Length:   12  \r\n\r\nbody"} << true << qint64(4)
        << qint64(12);
    QTest::newRow("chunked body counted with its framing")
        << QList<QByteArray>{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "5\r\nhello\r\n", "0\r\n\r\n"}
        << true << qint64(15) << qint64(0);
    QTest::newRow("no header end: everything counts")
        << QList<QByteArray>{"garbage without", " any end"} << false << qint64(23) << qint64(0);
    QTest::newRow("empty body") << QList<QByteArray>{head} << true << qint64(0) << qint64(2000);

    // A long cookie block puts the end far beyond what a 16-bit position could hold.
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

void TestResponseMeter::countsArrivals()
{
    QFETCH(QList<QByteArray>, arrivals);
    ResponseMeter meter;
    meter.feed("stale", 5);
    meter.reset();
    for (const QByteArray &arrival : arrivals) {
        meter.feed(arrival.constData(), arrival.size());
        QVERIFY(meter.bufferedBytes() <= ResponseMeter::headerLimit);
    }
    QTEST(meter.headerSeen(), "headerSeen");
    QTEST(meter.bodyBytes(), "bodyBytes");
    QTEST(meter.contentLength(), "contentLength");
    // Once the header is settled nothing of the page is kept.
    if (meter.headerSeen())
        QCOMPARE(meter.bufferedBytes(), 0);
}

void TestResponseMeter::formatsProgress_data()
{
    QTest::addColumn<qint64>("body");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("text");

    QTest::newRow("quarter") << qint64(500) << qint64(2000) << "Downloaded 500 from 2000 (25%)";
    QTest::newRow("no length") << qint64(77) << qint64(0) << "Downloaded 77 bytes";
    QTest::newRow("half rounds to even, down") << qint64(1) << qint64(200) << "Downloaded 1 from 200 (0%)";
    QTest::newRow("half rounds to even, up") << qint64(3) << qint64(200) << "Downloaded 3 from 200 (2%)";
    QTest::newRow("two and a half") << qint64(5) << qint64(200) << "Downloaded 5 from 200 (2%)";
    QTest::newRow("more than announced") << qint64(300) << qint64(200) << "Downloaded 300 from 200 (150%)";
    QTest::newRow("percentage too large to show") << qint64(400000) << qint64(1) << QString();
}

void TestResponseMeter::formatsProgress()
{
    QFETCH(qint64, body);
    QFETCH(qint64, length);
    QTEST(ResponseMeter::progressText(body, length), "text");
}

QTEST_APPLESS_MAIN(TestResponseMeter)
#include "tst_responsemeter.moc"
