#include "browser/postcheck.h"
#include "browser/visibletext.h"

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
    void readsVisibleText_data();
    void readsVisibleText();
    void findsMessageAsShown_data();
    void findsMessageAsShown();
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

void TestPostCheck::readsVisibleText_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("comparable"); // comparableText(visibleText(markup))

    QTest::newRow("typographic quotes, dashes, ellipsis")
        << QString::fromUtf8("It\u2019s \u201cgreat\u201d \u2014 really\u2026 10\u201312")
        << "it's \"great\" - really... 10-12";
    QTest::newRow("double hyphen and em dash meet") << "read -- thanks"
                                                    << "read - thanks";
    QTest::newRow("references decoded") << "Q&amp;A &#8217;s &#x2014; &lt;b&gt; &nbsp;x &bogus; & alone"
                                        << "q&a 's - <b> x &bogus; & alone";
    QTest::newRow("inline tags join, blocks break") << "<p>gr<b>eat</b></p><p>next</p>line<br>two"
                                                    << "great next line two";
    QTest::newRow("scripts, styles, comments, text areas hidden")
        << "a<script>var s='<p>x</p>';</script>b<!-- c --><style>p{}</style><textarea>draft</textarea>d"
        << "abd";
    QTest::newRow("attribute holding >") << "<a title=\"1 > 0\" href='x'>link</a>"
                                         << "link";
    QTest::newRow("less-than that starts no tag") << "I <3 it, 2<5"
                                                  << "i <3 it, 2<5";
    QTest::newRow("white space and invisible characters") << QString::fromUtf8("  a \t\r\n b\u00ad\u200bc  ") << "a bc";
    QTest::newRow("unclosed tag and script") << "text<b class='x"
                                             << "text";
    QTest::newRow("reference to nothing") << "&#0;&#xD800;&#99999999;" << QString::fromUtf8("\ufffd\ufffd\ufffd");
}

void TestPostCheck::readsVisibleText()
{
    QFETCH(QString, markup);
    QTEST(comparableText(visibleText(markup)), "comparable");
}

void TestPostCheck::findsMessageAsShown_data()
{
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("shown");

    QTest::newRow("engine's typography") << "It's a great read -- thanks\r\nmore"
                                         << QString::fromUtf8("<p>It\u2019s a great read \u2014 thanks</p>") << true;
    QTest::newRow("ampersand escaped by the engine") << "Q&A night"
                                                     << "<p>Q&amp;A night</p>" << true;
    QTest::newRow("address rewritten as the engine's own link")
        << "<a href='http://x.example/a'>http://x.example/a</a> is out\r\n"
        << "<p><a href=\"http://x.example/a\" rel=\"nofollow\">http://x.example/a</a> is out</p>" << true;
    QTest::newRow("forum codes show what they enclose")
        << "[url=http://x.example]http://x.example[/url] rocks"
        << "<p><a href=\"http://x.example\">http://x.example</a> rocks</p>" << true;
    QTest::newRow("markup shown as typed") << "Use <b> for bold"
                                           << "<p>Use &lt;b&gt; for bold</p>" << true;
    QTest::newRow("first line broken by the engine") << "One two three"
                                                     << "<p>One<br>\ntwo three</p>" << true;
    QTest::newRow("message in the reply box only") << "Hello there"
                                                   << "<textarea>Hello there</textarea>" << false;
    QTest::newRow("other text") << "Hello there"
                                << "<p>Hello where</p>" << false;
    QTest::newRow("empty message") << ""
                                   << "<p>anything</p>" << true;
}

void TestPostCheck::findsMessageAsShown()
{
    QFETCH(QString, inserted);
    QFETCH(QString, page);
    QFETCH(bool, shown);
    QCOMPARE(pageShowsMessage(messageReadings(inserted), page), shown);
}

QTEST_APPLESS_MAIN(TestPostCheck)
#include "tst_postcheck.moc"
