#include "compose/linkencoder.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

struct Markup
{
    QString open01, open02, close01, mailCall01;
};

const Markup html{"<a href='", "'>", "</a>", "mailto:"};
const Markup ubb{"[url=", "]", "[/url]", "mailto:"};
const Markup bare{};
// Characters that never occur in generated inputs, so links can be taken apart again.
const Markup probe{QStringLiteral("\u2039"), QStringLiteral("\u00a6"), QStringLiteral("\u203a"),
                   QStringLiteral("\u00b5")};

Markup markupNamed(const QString &name)
{
    if (name == "ubb")
        return ubb;
    if (name == "bare")
        return bare;
    return html;
}

QString encode(const QString &text, const Markup &m)
{
    return encodeLinks(text, m.open01, m.open02, m.close01, m.mailCall01);
}

// Takes a converted text apart and checks it against its input: every link holds one address
// twice, with the e-mail prefix exactly when it is no web address; no markup is left outside the
// links (so none sits inside another); and the text with each link replaced by its address gives
// back the input, less one CR or LF right after each address that a line break ended. Returns
// an empty text when all holds, else what went wrong.
QString checkKeptInOrder(const QString &input, const QString &output)
{
    // Parsed by hand: a regular expression would stop at the lone surrogates the inputs hold.
    const QString markup = probe.open01 + probe.open02 + probe.close01 + probe.mailCall01;
    QString rebuilt;
    QList<qsizetype> lineBreakMayGo; // places in rebuilt right after an address
    for (qsizetype i = 0; i < output.size(); ++i) {
        if (output[i] != probe.open01[0]) {
            rebuilt += output[i];
            continue;
        }
        const bool mail = output.mid(i + 1, 1) == probe.mailCall01;
        const qsizetype start = i + 1 + (mail ? 1 : 0);
        const qsizetype middle = output.indexOf(probe.open02, start);
        const qsizetype length = middle - start;
        const QString address = output.mid(start, length);
        if (middle < 0 || output.mid(middle + 1, length + 1) != address + probe.close01 || address.isEmpty() ||
            address.contains(u'\r') || address.contains(u'\n'))
            return QStringLiteral("malformed link at %1").arg(i);
        if (mail == address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
            return "wrong kind of link: " + address;
        rebuilt += address;
        // An address not ended by one of its visible stop characters was ended by a line break.
        if (!QStringLiteral("?,! ").contains(address.back()))
            lineBreakMayGo.append(rebuilt.size());
        i = middle + length + 1;
    }
    for (QChar c : markup) {
        if (rebuilt.contains(c))
            return QStringLiteral("markup inside an address or outside a link");
    }
    qsizetype r = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if ((input[i] == u'\r' || input[i] == u'\n') && lineBreakMayGo.removeOne(r))
            continue;
        if (r == rebuilt.size() || rebuilt[r] != input[i])
            return QStringLiteral("input character %1 lost").arg(i);
        ++r;
    }
    if (r != rebuilt.size())
        return QStringLiteral("output has more than the input");
    return {};
}

} // namespace

class TestLinkEncoder : public QObject
{
    Q_OBJECT

private slots:
    void converts_data();
    void converts();
    void keepsEveryCharacterInOrder();
    void survivesHostileText_data();
    void survivesHostileText();
};

void TestLinkEncoder::converts_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const QString crlf = QStringLiteral("\r\n");
    // clang-format off
    QTest::newRow("web") << "html" << "see http://h/p" << "see <a href='http://h/p'>http://h/p</a>";
    QTest::newRow("final full stop stays out") << "html" << "see http://h/p." << "see <a href='http://h/p'>http://h/p</a>.";
    QTest::newRow("inner full stop and blank go in") << "html" << "see http://h/p. ok" << "see <a href='http://h/p. '>http://h/p. </a>ok";
    QTest::newRow("question mark cuts") << "html" << "go http://h/p?q=1 now" << "go <a href='http://h/p?'>http://h/p?</a>q=1 now";
    QTest::newRow("mail") << "html" << "mail j@h now" << "mail <a href='mailto:j@h '>j@h </a>now";
    QTest::newRow("mail is whole text") << "html" << "j@h" << "<a href='mailto:j@h'>j@h</a>";
    QTest::newRow("two web one blank apart") << "html" << "t http://h/a http://h/b end" << "t <a href='http://h/a '>http://h/a </a><a href='http://h/b '>http://h/b </a>end";
    QTest::newRow("ubb mail") << "ubb" << "mail j@h now" << "mail [url=mailto:j@h ]j@h [/url]now";
    QTest::newRow("web line keeps only LF") << "html" << "a" + crlf + "http://h/p" + crlf + "b" << "a" + crlf + "<a href='http://h/p'>http://h/p</a>\nb";
    QTest::newRow("mail line keeps only LF") << "html" << "a" + crlf + "j@h" + crlf + "b" << "a" + crlf + "<a href='mailto:j@h'>j@h</a>\nb";
    QTest::newRow("message with its two breaks") << "html" << "see http://h/p." + crlf + crlf << "see <a href='http://h/p.'>http://h/p.</a>\n\r\n";
    QTest::newRow("empty") << "html" << "" << "";
    QTest::newRow("one character") << "html" << "@" << "@";
    QTest::newRow("no address") << "html" << "plain, text. here!" << "plain, text. here!";
    QTest::newRow("capital marker keeps letters") << "html" << "HTTP://H/P x" << "<a href='HTTP://H/P '>HTTP://H/P </a>x";
    QTest::newRow("secure scheme stays plain") << "html" << "see https://h/p" << "see https://h/p";
    QTest::newRow("secure scheme with @ is mail") << "html" << "https://u@h/p" << "<a href='mailto:https://u@h/p'>https://u@h/p</a>";
    QTest::newRow("marker alone") << "html" << "http://" << "<a href='http://'>http://</a>";
    QTest::newRow("lone @ between blanks") << "html" << "a @ b" << "a <a href='mailto:@ '>@ </a>b";
    QTest::newRow("comma does not stop backward") << "html" << "x,y@h z" << "<a href='mailto:x,y@h '>x,y@h </a>z";
    QTest::newRow("under three left after link") << "html" << "a@b @c" << "<a href='mailto:a@b '>a@b </a>@c";
    QTest::newRow("empty markup doubles") << "bare" << "see http://h and j@k" << "see http://h http://h and j@kj@k";
    // Addresses that meet a link already inserted.
    QTest::newRow("two mails one blank apart") << "html" << "a@b c@d" << "<a href='mailto:a@b '>a@b </a><a href='mailto:c@d'>c@d</a>";
    QTest::newRow("mail after web") << "html" << "see http://h/p x@y" << "see <a href='http://h/p '>http://h/p </a><a href='mailto:x@y'>x@y</a>";
    QTest::newRow("@ inside web link") << "html" << "http://u@h/p" << "<a href='http://u@h/p'>http://u@h/p</a>";
    QTest::newRow("mail runs into web") << "html" << "mail@http://h" << "<a href='mailto:mail@'>mail@</a><a href='http://h'>http://h</a>";
    QTest::newRow("full stop before web stays out") << "html" << "x@y.http://h" << "<a href='mailto:x@y'>x@y</a>.<a href='http://h'>http://h</a>";
    QTest::newRow("mail between webs") << "html" << "http://a!x@y!http://b" << "<a href='http://a!'>http://a!</a><a href='mailto:x@y!'>x@y!</a><a href='http://b'>http://b</a>";
    // clang-format on
}

void TestLinkEncoder::converts()
{
    QFETCH(QString, markup);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    const QString before = input;
    QCOMPARE(encode(input, markupNamed(markup)), expected);
    QCOMPARE(input, before);
}

void TestLinkEncoder::keepsEveryCharacterInOrder()
{
    // clang-format off
    const QStringList pieces = {"http://", "HTTP://", "http:/", "@", "@", " ", "\r", "\n", "\r\n", "?", ",", "!", ".",
                                "a", "h", "/", QString(QChar(0)), QString(QChar(0xd800)), QString(QChar(0xdc00))};
    // clang-format on
    QRandomGenerator random(20261208);
    for (int round = 0; round < 20000; ++round) {
        QString input;
        const int count = random.bounded(30);
        for (int k = 0; k < count; ++k)
            input += pieces.at(random.bounded(int(pieces.size())));
        const QString failure = checkKeptInOrder(input, encode(input, probe));
        if (!failure.isEmpty()) {
            QString shown;
            for (QChar c : input)
                shown += c.unicode() < 0x20 || c.isSurrogate()
                             ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'))
                             : QString(c);
            QFAIL(qPrintable(failure + " for input \"" + shown + "\""));
        }
    }
}

void TestLinkEncoder::survivesHostileText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<qsizetype>("links");

    const qsizetype big = 16 * 1024 * 1024;
    // clang-format off
    QTest::newRow("only @") << QString(4096, u'@') << qsizetype(1);
    QTest::newRow("only marker") << QString("http://").repeated(4096) << qsizetype(1);
    QTest::newRow("marker and blank") << QString("http:// ").repeated(4096) << qsizetype(4096);
    QTest::newRow("@ and blank") << QString("@ ").repeated(4096) << qsizetype(4095);
    const QChar hostile[] = {QChar(0xd800), QChar(0), QChar(u'@'), QChar(0xdfff), QChar(0), QChar(u' ')};
    QTest::newRow("lone surrogates and NUL") << QString(hostile, 6).repeated(64) << qsizetype(64);
    QTest::newRow("16 MiB one line, one web address") << ("http://" + QString(big, u'x')) << qsizetype(1);
    QTest::newRow("16 MiB of mail addresses") << QString("ab@cd, ").repeated(big / 7) << qsizetype(big / 7);
    // clang-format on
}

void TestLinkEncoder::survivesHostileText()
{
    QFETCH(QString, input);
    QFETCH(qsizetype, links);
    const QString output = encode(input, probe);
    QCOMPARE(output.count(probe.close01), links);
    if (input.size() < 100000)
        QCOMPARE(checkKeptInOrder(input, output), QString());
}

QTEST_APPLESS_MAIN(TestLinkEncoder)
#include "tst_linkencoder.moc"
