#include "compose/linkencoder.h"
#include "compose/plainaddresshint.h"
#include "compose/templateset.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString open01 = QStringLiteral("<a href='");
const QString open02 = QStringLiteral("'>");
const QString close01 = QStringLiteral("</a>");
const QString mailCall01 = QStringLiteral("mailto:");

QString html(const QString &text)
{
    return encodeLinks(text, open01, open02, close01, mailCall01, LinkRules::Modern);
}

// The link html() writes for one address.
QString a(const QString &target, const QString &visible)
{
    return open01 + target + open02 + visible + close01;
}
QString a(const QString &address)
{
    return a(address, address);
}

// Markup characters that never occur in generated inputs, so links can be taken apart again.
const QChar open01Probe(0x2039), open02Probe(0x00a6), close01Probe(0x203a);

} // namespace

class TestModernLinks : public QObject
{
    Q_OBJECT

private slots:
    void whereAddressesStart_data();
    void whereAddressesStart();
    void hosts_data();
    void hosts();
    void pathsQueriesAndFragments_data();
    void pathsQueriesAndFragments();
    void mailAddresses_data();
    void mailAddresses();
    void targets_data();
    void targets();
    void templatesAsForumsReadThem_data();
    void templatesAsForumsReadThem();
    void overlaps_data();
    void overlaps();
    void keepsEveryCharacterInOrder();
    void countsAddressesTheClassicRulesMiss_data();
    void countsAddressesTheClassicRulesMiss();

private:
    // The tables of input and expected html output share one check.
    static void compareWithTable()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(html(input), expected);
    }
};

// Rows: input, expected output with the html template. The address column of each table is
// what a reader of the input means by the address.

void TestModernLinks::whereAddressesStart_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("secure at start") << "https://h.org/p x" << a("https://h.org/p") + " x";
    QTest::newRow("plain and ftp, any case") << "HTTP://h.org FTP://h.org" << a("HTTP://h.org") + " " + a("FTP://h.org");
    QTest::newRow("after a delimiter") << "<https://h.org>" << "<" + a("https://h.org") + ">";
    QTest::newRow("after punctuation") << "(https://h.org)" << "(" + a("https://h.org") + ")";
    QTest::newRow("after a line break") << "a\r\nhttps://h.org" << "a\r\n" + a("https://h.org");
    QTest::newRow("not after a letter") << "xhttps://h.org" << "xhttps://h.org";
    QTest::newRow("not after _") << "_https://h.org" << "_https://h.org";
    QTest::newRow("scheme without host") << "see http:// now" << "see http:// now";
    QTest::newRow("www after a blank") << "see www.h.org" << "see " + a("http://www.h.org", "www.h.org");
    QTest::newRow("www after a comma") << "a,www.h.org" << "a," + a("http://www.h.org", "www.h.org");
    QTest::newRow("www not after a dot") << "a.www.h.org" << "a.www.h.org";
    QTest::newRow("www not after a slash") << "/www.h.org" << "/www.h.org";
    QTest::newRow("www not after a hyphen") << "-www.h.org" << "-www.h.org";
    QTest::newRow("www not inside a word") << "awww.h.org" << "awww.h.org";
    // clang-format on
}

void TestModernLinks::whereAddressesStart()
{
    compareWithTable();
}

void TestModernLinks::hosts_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const QString greek = QStringLiteral("www.\u03b4\u03bf\u03ba\u03b9\u03bc\u03ae.gr");
    const QString astral = QStringLiteral("https://\U00020000.org"); // a letter beyond the 16-bit range
    // clang-format off
    QTest::newRow("one label with a scheme") << "http://localhost/x" << a("http://localhost/x");
    QTest::newRow("port") << "http://h.org:8080/x" << a("http://h.org:8080/x");
    QTest::newRow("port too large") << "http://h.org:65536/x" << "http://h.org:65536/x";
    QTest::newRow("hyphen inside a label") << "https://a-b.h.org" << a("https://a-b.h.org");
    QTest::newRow("hyphen ending a label") << "https://ab-.h.org" << "https://ab-.h.org";
    QTest::newRow("underscore after host") << "https://a_b.org" << "https://a_b.org";
    QTest::newRow("double dot ends host") << "https://h.org..x" << a("https://h.org") + "..x";
    QTest::newRow("sentence full stop") << "see www.h.org." << "see " + a("http://www.h.org", "www.h.org") + ".";
    QTest::newRow("www needs two labels") << "www.org" << a("http://www.org", "www.org");
    QTest::newRow("www needs a known domain") << "www.readme.txt" << "www.readme.txt";
    QTest::newRow("domain in capitals") << "WWW.H.ORG" << a("http://WWW.H.ORG", "WWW.H.ORG");
    QTest::newRow("country domain") << "www.h.co.uk" << a("http://www.h.co.uk", "www.h.co.uk");
    QTest::newRow("letters and marks") << greek << a("http://" + greek, greek);
    QTest::newRow("surrogate pair letter") << astral << a(astral);
    QTest::newRow("user before host") << "ftp://me:pw@h.org/f" << a("ftp://me:pw@h.org/f");
    QTest::newRow("symbol after host") << "at https://h.org`" << "at " + a("https://h.org") + "`";
    // clang-format on
}

void TestModernLinks::hosts()
{
    compareWithTable();
}

void TestModernLinks::pathsQueriesAndFragments_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("query string stays in") << "go https://h.org/p?q=1&r=2 now" << "go " + a("https://h.org/p?q=1&r=2") + " now";
    QTest::newRow("query without path") << "https://h.org?q=1" << a("https://h.org?q=1");
    QTest::newRow("fragment") << "https://h.org/p#top." << a("https://h.org/p#top") + ".";
    QTest::newRow("lone # stays out") << "https://h.org# x" << a("https://h.org") + "# x";
    QTest::newRow("path only after / ? #") << "https://h.org,x" << a("https://h.org") + ",x";
    QTest::newRow("trailing punctuation out") << "https://h.org/p?!" << a("https://h.org/p") + "?!";
    QTest::newRow("inner punctuation in") << "https://h.org/a.b,c;d!e" << a("https://h.org/a.b,c;d!e");
    QTest::newRow("ellipsis out") << "https://h.org/p... and" << a("https://h.org/p") + "... and";
    QTest::newRow("brackets kept as a pair") << "https://h.org/w/A_(b)" << a("https://h.org/w/A_(b)");
    QTest::newRow("closer of the text out") << "(https://h.org/p)" << "(" + a("https://h.org/p") + ")";
    QTest::newRow("punctuation before closer out") << "(see https://h.org/p.)" << "(see " + a("https://h.org/p") + ".)";
    QTest::newRow("opener without partner") << "https://h.org/a(b c)" << a("https://h.org/a") + "(b c)";
    QTest::newRow("square pair") << "https://h.org/?a[0]=1]" << a("https://h.org/?a[0]=1") + "]";
    QTest::newRow("quotes kept as a pair") << "https://h.org/\"x\"" << a("https://h.org/%22x%22", "https://h.org/\"x\"");
    QTest::newRow("quote of the text out") << "'https://h.org/p'" << "'" + a("https://h.org/p") + "'";
    QTest::newRow("apostrophe inside a word") << "https://h.org/it's" << a("https://h.org/it%27s", "https://h.org/it's");
    QTest::newRow("delimiter ends") << "https://h.org/p>x" << a("https://h.org/p") + ">x";
    QTest::newRow("line break ends") << "https://h.org/p\r\nx" << a("https://h.org/p") + "\r\nx";
    QTest::newRow("slash alone") << "https://h.org/." << a("https://h.org/") + ".";
    // clang-format on
}

void TestModernLinks::pathsQueriesAndFragments()
{
    compareWithTable();
}

void TestModernLinks::mailAddresses_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("name and mail") << "Jo <jo.b+x_y-z@h.org>" << "Jo <" + a("mailto:jo.b+x_y-z@h.org", "jo.b+x_y-z@h.org") + ">";
    QTest::newRow("after a quote") << "'jo@h.org'" << "'" + a("mailto:jo@h.org", "jo@h.org") + "'";
    QTest::newRow("after an opener") << "(jo@h.org)" << "(" + a("mailto:jo@h.org", "jo@h.org") + ")";
    QTest::newRow("full stop after") << "to jo@h.org." << "to " + a("mailto:jo@h.org", "jo@h.org") + ".";
    QTest::newRow("not after a colon") << "x:jo@h.org" << "x:jo@h.org";
    QTest::newRow("unknown domain") << "jo@h.local" << "jo@h.local";
    QTest::newRow("domain kept for examples") << "jo@h.example" << a("mailto:jo@h.example", "jo@h.example");
    QTest::newRow("one label") << "jo@localhost" << "jo@localhost";
    QTest::newRow("lone @") << "a @ b" << "a @ b";
    QTest::newRow("written scheme") << "(mailto:jo@h.local)" << "(" + a("mailto:jo@h.local", "mailto:jo@h.local") + ")";
    // clang-format on
}

void TestModernLinks::mailAddresses()
{
    compareWithTable();
}

void TestModernLinks::targets_data()
{
    QTest::addColumn<QStringList>("markup"); // open01, open02, close01, mailCall01
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const QStringList ubb{"[url=", "]", "[/url]", "mailto:"};
    const QStringList htmlMarkup{"<a href='", "'>", "</a>", "mailto:"};
    const QStringList custom{"{", "|", "}", "mail:"};
    // clang-format off
    QTest::newRow("www gets a scheme") << ubb << "www.h.org" << "[url=http://www.h.org]www.h.org[/url]";
    QTest::newRow("brackets encoded for bracket codes") << ubb << "https://h.org/?a[0]=1" << "[url=https://h.org/?a%5B0%5D=1]https://h.org/?a[0]=1[/url]";
    QTest::newRow("brackets kept for html") << htmlMarkup << "https://h.org/?a[0]=1" << "<a href='https://h.org/?a[0]=1'>https://h.org/?a[0]=1</a>";
    QTest::newRow("quotes encoded") << htmlMarkup << "https://h.org/it's" << "<a href='https://h.org/it%27s'>https://h.org/it's</a>";
    QTest::newRow("template's mail prefix") << custom << "jo@h.org" << "{mail:jo@h.org|jo@h.org}";
    QTest::newRow("written scheme takes the template's") << custom << "mailto:jo@h.org" << "{mail:jo@h.org|mailto:jo@h.org}";
    QTest::newRow("text around unchanged") << custom << "\r\n\tx\n" << "\r\n\tx\n";
    QTest::newRow("line breaks unchanged") << custom << "a\rhttps://h.org\n\r\n" << "a\r{https://h.org|https://h.org}\n\r\n";
    // clang-format on
}

void TestModernLinks::targets()
{
    QFETCH(QStringList, markup);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(encodeLinks(input, markup[0], markup[1], markup[2], markup[3], LinkRules::Modern), expected);
}

// The built-in templates as a forum's strict parser reads them: no character that ended an
// address inside a target, visible text and target exact, e-mail in the code made for it. Custom
// templates keep their output unless they give an e-mail code; the classic rules ignore it.
void TestModernLinks::templatesAsForumsReadThem_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("modern");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("space after an address") << "ubb" << true << "see http://host/page now" << "see [url=http://host/page]http://host/page[/url] now";
    QTest::newRow("line break after an address") << "ubb" << true << "http://host/page\r\nnext" << "[url=http://host/page]http://host/page[/url]\r\nnext";
    QTest::newRow("query and comma") << "ubb" << true << "https://h.org/p?q=1, then" << "[url=https://h.org/p?q=1]https://h.org/p?q=1[/url], then";
    QTest::newRow("www and a question mark") << "ubb" << true << "www.h.org?" << "[url=http://www.h.org]www.h.org[/url]?";
    QTest::newRow("e-mail code") << "ubb" << true << "mail a@b.example now" << "mail [email]a@b.example[/email] now";
    QTest::newRow("e-mail code in brackets") << "ubb" << true << "(a@b.example)." << "([email]a@b.example[/email]).";
    QTest::newRow("written scheme stays text") << "ubb" << true << "MAILTO:a@b.example!" << "MAILTO:[email]a@b.example[/email]!";
    QTest::newRow("e-mail in a web address") << "ubb" << true << "http://a@b.example/p" << "[url=http://a@b.example/p]http://a@b.example/p[/url]";
    QTest::newRow("html e-mail") << "html" << true << "a@b.example" << "<a href='mailto:a@b.example'>a@b.example</a>";
    QTest::newRow("ezboard e-mail") << "ezboard" << true << "a@b.example" << "[link=mailto:a@b.example]a@b.example[/link]";
    QTest::newRow("custom says nothing") << "plain" << true << "a@b.example" << "<m:a@b.example|a@b.example>";
    QTest::newRow("custom e-mail code") << "coded" << true << "a@b.example" << "{a@b.example}";
    QTest::newRow("custom e-mail closing only") << "closed" << true << "a@b.example" << "a@b.example}";
    QTest::newRow("classic ubb unchanged") << "ubb" << false << "mail a@b.example now" << "mail [url=mailto:a@b.example ]a@b.example [/url]now";
    QTest::newRow("classic custom unchanged") << "coded" << false << "a@b.example" << "<m:a@b.example|a@b.example>";
    // clang-format on
}

void TestModernLinks::templatesAsForumsReadThem()
{
    QFETCH(QString, format);
    QFETCH(bool, modern);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    TemplateSet templates = defaultTemplates();
    templates.entries[3] = {"plain", "<", "|", ">", "m:", "", ""};
    templates.entries[4] = {"coded", "<", "|", ">", "m:", "{", "}"};
    templates.entries[5] = {"closed", "<", "|", ">", "m:", "", "}"};
    QCOMPARE(convertMessage(input, format, templates, modern ? LinkRules::Modern : LinkRules::Classic), expected);
}

void TestModernLinks::overlaps_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("mail inside a path") << "https://h.org/jo@h.org" << a("https://h.org/jo@h.org");
    QTest::newRow("user inside a web address") << "http://jo@h.org" << a("http://jo@h.org");
    QTest::newRow("www inside a path") << "https://h.org/?u=www.x.org" << a("https://h.org/?u=www.x.org");
    QTest::newRow("longer wins on equal start") << "www.info@h.org" << a("mailto:www.info@h.org", "www.info@h.org");
    QTest::newRow("www longer than its mail") << "www.h.org/jo@h.org" << a("http://www.h.org/jo@h.org", "www.h.org/jo@h.org");
    QTest::newRow("one after the other") << "https://h.org;(jo@h.org)" << a("https://h.org") + ";(" + a("mailto:jo@h.org", "jo@h.org") + ")";
    // clang-format on
}

void TestModernLinks::overlaps()
{
    compareWithTable();
}

void TestModernLinks::keepsEveryCharacterInOrder()
{
    // clang-format off
    const QStringList pieces = {"https://", "http://", "www.", "mailto:", "@", "h", "org", ".", "-", "_", ":80", "/", "?",
                                "#", "(", ")", "[", "]", "'", "\"", "<", ">", " ", "\r\n", ",", "!", "\u00e9",
                                QString(QChar(0xd800)), QString(QChar(0xdc00)), "\U00020000"};
    // clang-format on
    QRandomGenerator random(20261209);
    for (int round = 0; round < 20000; ++round) {
        QString input;
        const int count = random.bounded(24);
        for (int k = 0; k < count; ++k)
            input += pieces.at(random.bounded(int(pieces.size())));
        const QString output = encodeLinks(input, open01Probe, open02Probe, close01Probe, QString(), LinkRules::Modern);
        // Each link becomes its visible text again; what is left must be the input.
        QString rebuilt;
        bool ok = true;
        for (qsizetype i = 0; i < output.size() && ok; ++i) {
            if (output[i] != open01Probe) {
                rebuilt += output[i];
                continue;
            }
            const qsizetype middle = output.indexOf(open02Probe, i);
            const qsizetype close = output.indexOf(close01Probe, middle);
            ok = middle > i + 1 && close > middle + 1;
            rebuilt += output.mid(middle + 1, close - middle - 1);
            i = close;
        }
        if (!ok || rebuilt != input)
            QFAIL(qPrintable("lost or changed characters for input " + input.toUtf8().toPercentEncoding()));
    }
}

void TestModernLinks::countsAddressesTheClassicRulesMiss_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("hint");
    const QString tail = QStringLiteral(" left as plain text: see Tools > Modern Links");
    // clang-format off
    QTest::newRow("classic rules suffice") << "http://h.org/p and jo@h.org" << "";
    QTest::newRow("one secure") << "https://h.org" << "1 address" + tail;
    QTest::newRow("www and a query") << "www.h.org and http://h.org/?q=1" << "2 addresses" + tail;
    QTest::newRow("comma inside cuts") << "http://h.org/a,b ftp://h.org" << "2 addresses" + tail;
    QTest::newRow("mail is never counted") << "jo@h.org" << "";
    // clang-format on
}

void TestModernLinks::countsAddressesTheClassicRulesMiss()
{
    QFETCH(QString, message);
    QFETCH(QString, hint);
    QCOMPARE(plainAddressesHint(message), hint);
}

QTEST_APPLESS_MAIN(TestModernLinks)
#include "tst_modernlinks.moc"
