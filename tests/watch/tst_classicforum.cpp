#include "classicbbcode.h"
#include "classicforum.h"

#include <QtTest>

// The classic board the roads run against: its strict parser, and the weight of its pages.
class TestClassicForum : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parser_data();
    void parser();
    void pageWeights();
};

void TestClassicForum::parser_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QString>("shows"); // a piece of the markup, or empty

    QTest::newRow("named link") << "[url=http://host/page]the page[/url]" << QStringList{"http://host/page"}
                                << "<a href=\"http://host/page\" target=\"_blank\" rel=\"noopener\" "
                                   "class=\"mycode_url\">the page</a>";
    QTest::newRow("stop character inside the target")
        << "[url=http://host/page ]http://host/page [/url]" << QStringList{"http://host/page%20"} << "";
    QTest::newRow("scheme without slashes")
        << "[url=mailto:a@b.example]a@b.example[/url]" << QStringList{"http://mailto:a@b.example"} << "";
    QTest::newRow("no scheme") << "[url]www.example.com/x[/url]" << QStringList{"http://www.example.com/x"}
                               << ">http://www.example.com/x</a>";
    QTest::newRow("https and query") << "[URL]https://example.com/a?b=1&c=2[/URL]"
                                     << QStringList{"https://example.com/a?b=1&c=2"}
                                     << "href=\"https://example.com/a?b=1&amp;c=2\"";
    QTest::newRow("letters the browser encodes")
        << QString::fromUtf8("[url]http://host/caf\xc3\xa9\"[/url]") << QStringList{"http://host/caf%C3%A9%22"} << "";
    QTest::newRow("long address shown shortened")
        << "[url]http://example.com/" + QString(60, QLatin1Char('a')) + "[/url]"
        << QStringList{"http://example.com/" + QString(60, QLatin1Char('a'))}
        << ">http://example.com/" + QString(21, QLatin1Char('a')) + "..." + QString(10, QLatin1Char('a')) + "</a>";
    QTest::newRow("e-mail") << "[email]a@b.example[/email]" << QStringList{"mailto:a@b.example"}
                            << "<a href=\"mailto:a@b.example\" class=\"mycode_email\">a@b.example</a>";
    QTest::newRow("named e-mail") << "[email=a@b.example]write to me[/email]" << QStringList{"mailto:a@b.example"}
                                  << ">write to me</a>";
    QTest::newRow("no e-mail address") << "[email]not an address[/email]" << QStringList()
                                       << "[email]not an address[/email]";
    QTest::newRow("script target") << "[url=javascript:alert(1)]x[/url]" << QStringList() << "";
    QTest::newRow("target across lines") << "[url]http://a.example\nb[/url]" << QStringList() << "";
    QTest::newRow("markup is text") << "<a href=\"http://x.example\">x</a> & more" << QStringList()
                                    << "&lt;a href=&quot;http://x.example&quot;&gt;x&lt;/a&gt; &amp; more";
    QTest::newRow("bare address stays text") << "see http://bare.example" << QStringList() << "see http://bare.example";
    QTest::newRow("two links, line breaks")
        << "see [url]http://a.example[/url]\r\nand [email]b@c.example[/email]\nbye"
        << QStringList{"http://a.example", "mailto:b@c.example"} << "</a><br />\nand <a";
}

void TestClassicForum::parser()
{
    QFETCH(QString, message);
    QFETCH(QStringList, links);
    QFETCH(QString, shows);

    const ClassicBbcode post = ClassicBbcode::parse(message);
    QCOMPARE(post.links, links);
    QVERIFY2(post.html.contains(shows), qPrintable(post.html));
    QCOMPARE(post.html.count(QStringLiteral("<a ")), links.size());
}

void TestClassicForum::pageWeights()
{
    // As the real board weighs them: a member's thread of a few posts about 24 KB, the
    // no-permission page a guest gets instead about 11 KB.
    ClassicForum forum;
    const int thread = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPosts(thread, 2);
    const qsizetype member = forum.threadPage(thread, 1, QStringLiteral("alice")).size();
    const qsizetype guest = forum.noPermissionPage().size();
    QVERIFY2(member > 22000 && member < 26000, qPrintable(QString::number(member)));
    QVERIFY2(guest > 10000 && guest < 12500, qPrintable(QString::number(guest)));
}

QTEST_APPLESS_MAIN(TestClassicForum)
#include "tst_classicforum.moc"
