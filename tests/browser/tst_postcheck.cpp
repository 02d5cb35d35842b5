#include "browser/pagechangescripts.h"
#include "browser/postcheck.h"
#include "browser/postcheckrunner.h"
#include "browser/replyformaddress.h"
#include "browser/scriptpage.h"
#include "browser/visibletext.h"

#include <QtTest>

namespace {

// A page whose observer answers from the test's lists, a moment later, as the browser does. Scripts
// are noted by kind: w(atch), p(oll), t(ake), s(top).
class ChangingPage : public ScriptPage
{
public:
    QUrl url = QUrl(QStringLiteral("http://127.0.0.1/showthread.php?tid=1"));
    QString body = QStringLiteral("<body><p>Older post</p></body>");
    QVariantList polls; // what each poll gives; when used up, "nothing changed"
    QString added;      // what a take gives
    QString asked;

    void runScript(const QString &script, ScriptResult done) override
    {
        const QString href = url.toString();
        QVariant answer;
        if (script == watchPageScript() || script == startWatchingPageScript()) {
            asked += QLatin1Char('w');
            answer = QVariantMap{{"href", href}, {"body", body}};
        } else if (script == pollPageChangesScript()) {
            asked += QLatin1Char('p');
            answer = polls.isEmpty() ? QVariant(QVariantMap{{"href", href}, {"changed", 0}}) : polls.takeFirst();
            // The browser's address is the page's own, pushed or not.
            if (answer.isValid())
                url = QUrl(answer.toMap().value("href").toString());
        } else if (script == takePageChangesScript()) {
            asked += QLatin1Char('t');
            answer = QVariantMap{{"href", href}, {"markup", added}};
        } else {
            asked += QLatin1Char('s');
        }
        if (done)
            QTimer::singleShot(0, this, [done, answer] { done(answer); });
    }
    QUrl pageUrl() const override { return url; }
};

QVariantMap changes(const QString &href, int changed, const QStringList &boxes)
{
    return {{"href", href}, {"changed", changed}, {"boxes", boxes}};
}

} // namespace

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
    void changesShowMessage_data();
    void changesShowMessage();
    void replyFormAddresses_data();
    void replyFormAddresses();
    void runsOnChangingPages_data();
    void runsOnChangingPages();
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

    // arm: auto-insert; count: armed for downloads; d: download completed; c: the page changed
    // without one; tN: N minutes pass; hN: ticket N's page hit
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
    QTest::newRow("changes are searched and count no download") << "arm c c d"
                                                                << "111"
                                                                << "" << 3;
    QTest::newRow("a change hits") << "arm c h0 c d"
                                   << "100"
                                   << "1" << 0;
    QTest::newRow("no change searched once the downloads are used") << "arm d d d d c"
                                                                    << "11110"
                                                                    << "" << 0;
    QTest::newRow("half an hour ends an arming") << "arm t29 c d t1 c d"
                                                 << "1100"
                                                 << "" << 2;
    QTest::newRow("a late hit still counts") << "arm c t31 h0"
                                             << "1"
                                             << "1" << 0;
    QTest::newRow("armed again, timed again") << "arm t31 arm c"
                                              << "1"
                                              << "" << 4;
}

void TestPostCheck::downloads()
{
    QFETCH(QString, events);
    QFETCH(QString, searched);
    QFETCH(QString, counted);
    QFETCH(int, countdown);

    qint64 now = 0;
    PostCheck check([&now] { return now; });
    QList<PostCheck::Ticket> tickets;
    QString searchedSeen, countedSeen;
    for (const QString &event : events.split(QLatin1Char(' '))) {
        if (event == QLatin1String("arm")) {
            check.arm(QStringLiteral("Hello\r\nWorld"));
        } else if (event == QLatin1String("count")) {
            check.armCountdown();
        } else if (event.startsWith(QLatin1Char('t'))) {
            now += event.mid(1).toLongLong() * 60 * 1000;
        } else if (event == QLatin1String("d") || event == QLatin1String("c")) {
            tickets << (event == QLatin1String("d") ? check.downloadCompleted() : check.pageChanged());
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

void TestPostCheck::changesShowMessage_data()
{
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("added");     // what the page added since it was last asked
    QTest::addColumn<QStringList>("boxes"); // the writing boxes' texts
    QTest::addColumn<bool>("shown");

    const QString message = QStringLiteral("See [url=http://x.example/a]http://x.example/a[/url] now\r\nbye\r\n\r\n");
    const QString post = QStringLiteral("<div class=\"post\" id=\"post_5\"><div class=\"post_body\">See <a "
                                        "href=\"http://x.example/a\">http://x.example/a</a> now<br>bye</div></div>");
    QTest::newRow("quick reply added, its box emptied") << message << post << QStringList{QString()} << true;
    QTest::newRow("no writing box left") << message << post << QStringList{} << true;
    QTest::newRow("a preview beside the box that holds it") << message << post << QStringList{message} << false;
    QTest::newRow("an editor showing what the codes enclose")
        << message << post << QStringList{QStringLiteral("See http://x.example/a now\nbye")} << false;
    QTest::newRow("another box holds something else")
        << message << post << QStringList{QString(), QStringLiteral("my draft")} << true;
    QTest::newRow("added text of another post")
        << message << QStringLiteral("<div>Count me in</div>") << QStringList{QString()} << false;
    QTest::newRow("added text, escaped") << QStringLiteral("Q&A night\r\n") << QStringLiteral("Q&amp;A night")
                                         << QStringList{} << true;
    QTest::newRow("a message that shows nothing") << QString() << post << QStringList{} << false;
}

void TestPostCheck::changesShowMessage()
{
    QFETCH(QString, inserted);
    QFETCH(QString, added);
    QFETCH(QStringList, boxes);
    PostCheck check;
    check.arm(inserted);
    const PostCheck::Ticket ticket = check.pageChanged();
    QTEST(!PostCheck::boxesHold(ticket, boxes) && PostCheck::changeShows(ticket, added), "shown");
}

void TestPostCheck::replyFormAddresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("replyForm");

    QTest::newRow("reply form") << "http://h/newreply.php?tid=2" << true;
    QTest::newRow("reply form, previewed") << "http://h/forum/newreply.php?tid=2&processed=1" << true;
    QTest::newRow("new thread form") << "http://h/newthread.php?fid=3" << true;
    QTest::newRow("posting page, mode in the query") << "http://h/posting.php?mode=reply&f=2&t=2" << true;
    QTest::newRow("action parted with semicolons") << "http://h/index.php?action=post;topic=12.0" << true;
    QTest::newRow("action with a number") << "http://h/index.php?action=post2;start=0" << true;
    QTest::newRow("do in the query") << "http://h/misc.php?do=newreply&p=5" << true;
    QTest::newRow("path names it") << "http://h/threads/spring-meeting.12/reply" << true;
    QTest::newRow("hyphenated action") << "http://h/forums/news.3/post-thread" << true;
    QTest::newRow("composer route") << "http://h/compose?tid=2" << true;
    QTest::newRow("thread") << "http://h/showthread.php?tid=2" << false;
    QTest::newRow("thread at a post") << "http://h/showthread.php?tid=2&pid=5#pid5" << false;
    QTest::newRow("topic of another family") << "http://h/index.php?topic=12.msg34#msg34" << false;
    QTest::newRow("thread named like an action") << "http://h/threads/reply.45/" << false;
    QTest::newRow("post in a path with its number") << "http://h/post/123/a-title" << false;
    QTest::newRow("other parameter naming a post") << "http://h/?p=12&post_type=post" << false;
    QTest::newRow("slug holding the word") << "http://h/2024/05/my-reply/" << false;
}

void TestPostCheck::replyFormAddresses()
{
    QFETCH(QString, url);
    QTEST(isReplyFormAddress(QUrl(url)), "replyForm");
}

void TestPostCheck::runsOnChangingPages_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QVariantList>("polls");
    QTest::addColumn<QString>("body"); // the page read whole
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("asked"); // w(atch), p(oll), t(ake), s(top)
    QTest::addColumn<bool>("hit");

    const QString thread = QStringLiteral("http://127.0.0.1/showthread.php?tid=1");
    const QString older = QStringLiteral("<body><p>Older post</p></body>");
    const QString post = QStringLiteral("<div class=\"post\">Hello there, friends</div>");
    QTest::newRow("quick reply lands") << thread << QVariantList{changes(thread, 2, {QString()})} << older << post
                                       << "wpts" << true;
    QTest::newRow("something else changed") << thread << QVariantList{changes(thread, 1, {})} << older
                                            << QStringLiteral("<b>3 users online</b>") << "wptp" << false;
    QTest::newRow("box still holds it, sent later")
        << thread << QVariantList{changes(thread, 1, {"Hello there, friends"}), changes(thread, 1, {QString()})}
        << older << post << "wppts" << true;
    QTest::newRow("new address without a load")
        << thread << QVariantList{changes(QStringLiteral("http://127.0.0.1/topic/2"), 0, {})}
        << QStringLiteral("<body>") + post + QStringLiteral("</body>") << QString() << "wpws" << true;
    QTest::newRow("only the fragment changed")
        << thread << QVariantList{changes(thread + "#pid5", 0, {})}
        << QStringLiteral("<body>") + post + QStringLiteral("</body>") << QString() << "wpp" << false;
    QTest::newRow("observer gone") << thread << QVariantList{QVariant()} << older << QString() << "wpwp" << false;
    QTest::newRow("reply form") << QStringLiteral("http://127.0.0.1/newreply.php?tid=1")
                                << QVariantList{changes(thread, 2, {})} << older << post << "" << false;
}

void TestPostCheck::runsOnChangingPages()
{
    QFETCH(QString, url);
    QFETCH(QVariantList, polls);
    QFETCH(QString, body);
    QFETCH(QString, added);
    QFETCH(QString, asked);

    ChangingPage page;
    page.url = QUrl(url);
    page.polls = polls;
    page.body = body;
    page.added = added;
    PostCheck check;
    PostCheckRunner runner(page, check);
    runner.setPollInterval(1);
    QSignalSpy shown(&runner, &PostCheckRunner::messageShown);
    check.arm(QStringLiteral("Hello there, friends\r\n\r\n"));
    runner.armed();
    QTRY_VERIFY(page.asked.size() >= asked.size());
    QTest::qWait(20);
    QCOMPARE(page.asked.left(asked.size()), asked);
    QTEST(!shown.isEmpty(), "hit");
    QCOMPARE(shown.size() <= 1, true);
}

QTEST_GUILESS_MAIN(TestPostCheck)
#include "tst_postcheck.moc"
