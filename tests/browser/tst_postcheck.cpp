#include "browser/postcheck.h"

#include <QtTest>

class TestPostCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void probe_data();
    void probe();
    void pageShows_data();
    void pageShows();
    void downloads_data();
    void downloads();
};

void TestPostCheck::probe_data()
{
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("probe");

    QTest::newRow("one line") << "Hello world"
                              << "Hello world";
    QTest::newRow("CR LF") << "Hello\r\nWorld"
                           << "Hello";
    QTest::newRow("lone LF") << "Line one\nLine two"
                             << "Line one";
    QTest::newRow("lone CR") << "Text\rMore"
                             << "Text";
    QTest::newRow("tag before the line break") << "abc<def\r\n"
                                               << "abc";
    QTest::newRow("line break before the tag") << "ab\r\ncd<e"
                                               << "ab";
    QTest::newRow("converted link") << "Visit <a href=\"http://x.com\">http://x.com</a>\r\n\r\n"
                                    << "Visit ";
    QTest::newRow("leading tag is no bound") << "<b>Hello</b> there\r\nmore"
                                             << "<b>Hello</b> there";
    QTest::newRow("leading tag, no line break") << "<b>Hi</b>"
                                                << "<b>Hi</b>";
    // The LF of a leading CR LF pair stands second, so it bounds the probe to the CR.
    QTest::newRow("leading line break") << "\r\nHello\r\nWorld"
                                        << "\r";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPostCheck::probe()
{
    QFETCH(QString, inserted);
    QFETCH(QString, probe);
    QCOMPARE(firstLineProbe(inserted), probe);
}

void TestPostCheck::pageShows_data()
{
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("outer");
    QTest::addColumn<QString>("inner");
    QTest::addColumn<bool>("shown");

    QTest::newRow("other case") << "Hello Forum"
                                << "<body><p>hello FORUM</p></body>"
                                << "<p>hello FORUM</p>" << true;
    QTest::newRow("absent") << "Hello Forum"
                            << "<body><p>Bye</p></body>"
                            << "<p>Bye</p>" << false;
    QTest::newRow("empty probe, empty page") << ""
                                             << ""
                                             << "" << true;
    QTest::newRow("inner only") << "deep"
                                << "<body>"
                                << "deep" << true;
    QTest::newRow("across the joint") << "end\r\nstart"
                                      << "the end"
                                      << "start here" << true;
    QTest::newRow("CR always meets the joint") << "\r"
                                               << "<body></body>"
                                               << "" << true;
    QTest::newRow("partly at the joint") << "endX"
                                         << "the end"
                                         << "start" << false;
    QTest::newRow("no page") << "x"
                             << ""
                             << "" << false;
}

void TestPostCheck::pageShows()
{
    QFETCH(QString, probe);
    QFETCH(QString, outer);
    QFETCH(QString, inner);
    QFETCH(bool, shown);
    QCOMPARE(pageShowsProbe(probe, outer, inner), shown);
}

void TestPostCheck::downloads_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("searched"); // per download: 1 when its page is searched
    QTest::addColumn<QString>("counted");  // per hit event: 1 when the hit counts
    QTest::addColumn<int>("countdown");

    // arm: auto-insert; count: watched post opened; d: download completed; hN: ticket N's page hit
    QTest::newRow("never armed") << "d d"
                                 << "00"
                                 << "" << 0;
    QTest::newRow("four downloads then no more") << "arm d d d d d"
                                                 << "11110"
                                                 << "" << 0;
    QTest::newRow("hit ends the searching") << "arm d h0 d"
                                            << "10"
                                            << "1" << 0;
    QTest::newRow("hit on the fourth") << "arm d d d d h3 d"
                                       << "11110"
                                       << "1" << 0;
    QTest::newRow("answers after later downloads") << "arm d d h0 h1"
                                                   << "11"
                                                   << "10" << 0;
    QTest::newRow("late hit leaves a new arming alone") << "arm d arm h0 d"
                                                        << "11"
                                                        << "1" << 3;
    QTest::newRow("hit of an old arming after the new one hit") << "arm d arm d h1 h0"
                                                                << "11"
                                                                << "11" << 0;
    QTest::newRow("armed again after a hit") << "arm d h0 d arm d"
                                             << "101"
                                             << "1" << 3;
    QTest::newRow("watched post opened") << "count d d"
                                         << "11"
                                         << "" << 2;
    QTest::newRow("page without an answer") << "arm d d"
                                            << "11"
                                            << "" << 2;
}

void TestPostCheck::downloads()
{
    QFETCH(QString, events);
    QFETCH(QString, searched);
    QFETCH(QString, counted);
    QFETCH(int, countdown);

    PostCheck check;
    QList<PostCheck::Ticket> tickets;
    QString searchedSeen, countedSeen;
    for (const QString &event : events.split(QLatin1Char(' '))) {
        if (event == QLatin1String("arm")) {
            check.arm(QStringLiteral("Hello\r\nWorld"));
        } else if (event == QLatin1String("count")) {
            check.armCountdown();
        } else if (event == QLatin1String("d")) {
            tickets << check.downloadCompleted();
            searchedSeen += tickets.last().search ? QLatin1Char('1') : QLatin1Char('0');
            if (tickets.last().search)
                QCOMPARE(tickets.last().probe, firstLineProbe(check.lastInsertedText()));
        } else {
            const int index = event.mid(1).toInt();
            countedSeen += check.hit(tickets.at(index)) ? QLatin1Char('1') : QLatin1Char('0');
        }
    }
    QCOMPARE(searchedSeen, searched);
    QCOMPARE(countedSeen, counted);
    QCOMPARE(check.countdown(), countdown);
}

QTEST_APPLESS_MAIN(TestPostCheck)
#include "tst_postcheck.moc"
