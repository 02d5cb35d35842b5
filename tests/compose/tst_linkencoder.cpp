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

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Takes a converted text apart and checks it against its input: each link holds the same
// address twice, no link sits inside another, and the plain text with each link's address in
// its place gives back the input, less exactly one CR or LF right after an address that a line
// break ended. Returns an empty text when all holds, else what went wrong.
QString checkKeptInOrder(const QString &input, const QString &output)
{
    const QChar open = probe.open01.at(0), middle = probe.open02.at(0), close = probe.close01.at(0),
                mail = probe.mailCall01.at(0);
    qsizetype in = 0;
    qsizetype i = 0;
    auto expect = [&](QChar c) {
        if (in < input.size() && input.at(in) == c) {
            ++in;
            return true;
        }
        return false;
    };
    while (i < output.size()) {
        const QChar c = output.at(i);
        if (c == middle || c == close || c == mail)
            return QStringLiteral("stray markup at %1").arg(i);
        if (c != open) {
            if (!expect(c))
                return QStringLiteral("plain character %1 of the output not in the input").arg(i);
            ++i;
            continue;
        }
        const qsizetype linkStart = i++;
        const bool isMail = i < output.size() && output.at(i) == mail;
        if (isMail)
            ++i;
        const qsizetype mid = output.indexOf(middle, i);
        const qsizetype end = output.indexOf(close, i);
        if (mid < 0 || end < mid)
            return QStringLiteral("unfinished link at %1").arg(linkStart);
        const QString target = output.mid(i, mid - i);
        const QString shown = output.mid(mid + 1, end - mid - 1);
        if (target != shown)
            return QStringLiteral("target and text differ in link at %1").arg(linkStart);
        if (target.isEmpty() || target.contains(open) || target.contains(u'\r') || target.contains(u'\n'))
            return QStringLiteral("bad address in link at %1").arg(linkStart);
        if (isMail != !target.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
            (isMail && !target.contains(u'@')))
            return QStringLiteral("wrong kind of link at %1").arg(linkStart);
        for (QChar t : target) {
            if (!expect(t))
                return QStringLiteral("address in link at %1 not in the input").arg(linkStart);
        }
        // An address not closed by one of its visible stop characters was closed by the line
        // break that follows it in the input, which must be gone.
        if (!QStringLiteral("?,! ").contains(target.back()) && in < input.size() && isLineBreak(input.at(in)))
            ++in;
        i = end + 1;
    }
    if (in != input.size())
        return QStringLiteral("input lost from %1 on").arg(in);
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
    QTest::newRow("lone LF ends and goes") << "html" << "http://h\nx" << "<a href='http://h'>http://h</a>x";
    QTest::newRow("message with its two breaks") << "html" << "see http://h/p." + crlf + crlf << "see <a href='http://h/p.'>http://h/p.</a>\n\r\n";
    QTest::newRow("empty") << "html" << "" << "";
    QTest::newRow("one character") << "html" << "@" << "@";
    QTest::newRow("no address") << "html" << "plain, text. here!" << "plain, text. here!";
    QTest::newRow("two characters") << "html" << "@x" << "<a href='mailto:@x'>@x</a>";
    QTest::newRow("capital marker keeps letters") << "html" << "HTTP://H/P x" << "<a href='HTTP://H/P '>HTTP://H/P </a>x";
    QTest::newRow("mixed case marker") << "html" << "hTtP://a" << "<a href='hTtP://a'>hTtP://a</a>";
    QTest::newRow("secure scheme stays plain") << "html" << "see https://h/p" << "see https://h/p";
    QTest::newRow("secure scheme with @ is mail") << "html" << "https://u@h/p" << "<a href='mailto:https://u@h/p'>https://u@h/p</a>";
    QTest::newRow("marker alone") << "html" << "http://" << "<a href='http://'>http://</a>";
    QTest::newRow("marker then stop") << "html" << "http://!x" << "<a href='http://!'>http://!</a>x";
    QTest::newRow("marker then full stop") << "html" << "http://." << "<a href='http://'>http://</a>.";
    QTest::newRow("lone @ between blanks") << "html" << "a @ b" << "a <a href='mailto:@ '>@ </a>b";
    QTest::newRow("comma does not stop backward") << "html" << "x,y@h z" << "<a href='mailto:x,y@h '>x,y@h </a>z";
    QTest::newRow("comma ends mail") << "html" << "j@h,k" << "<a href='mailto:j@h,'>j@h,</a>k";
    QTest::newRow("under three left after link") << "html" << "a@b @c" << "<a href='mailto:a@b '>a@b </a>@c";
    QTest::newRow("empty markup doubles") << "bare" << "see http://h and j@k" << "see http://h http://h and j@kj@k";
    // Addresses that meet a link already inserted.
    QTest::newRow("two mails one blank apart") << "html" << "a@b c@d" << "<a href='mailto:a@b '>a@b </a><a href='mailto:c@d'>c@d</a>";
    QTest::newRow("two mails comma apart") << "html" << "a@b,c@d" << "<a href='mailto:a@b,'>a@b,</a><a href='mailto:c@d'>c@d</a>";
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
    const QStringList pieces = {"http://",
                                "HTTP://",
                                "http:/",
                                "@",
                                "@",
                                " ",
                                "\r",
                                "\n",
                                "\r\n",
                                "?",
                                ",",
                                "!",
                                ".",
                                "a",
                                "h",
                                "/",
                                QString(QChar(0)),
                                QString(QChar(0xd800)),
                                QString(QChar(0xdc00))};
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
    QTest::newRow("only @") << QString(4096, u'@') << qsizetype(1);
    QTest::newRow("only marker") << QString("http://").repeated(4096) << qsizetype(1);
    QTest::newRow("marker and blank") << QString("http:// ").repeated(4096) << qsizetype(4096);
    QTest::newRow("@ and blank") << QString("@ ").repeated(4096) << qsizetype(4095);
    const QChar hostile[] = {QChar(0xd800), QChar(0), QChar(u'@'), QChar(0xdfff), QChar(0), QChar(u' ')};
    QTest::newRow("lone surrogates and NUL") << QString(hostile, 6).repeated(64) << qsizetype(64);
    QTest::newRow("16 MiB one line, one web address") << ("http://" + QString(big, u'x')) << qsizetype(1);
    QTest::newRow("16 MiB of mail addresses") << QString("ab@cd, ").repeated(big / 7) << qsizetype(big / 7);
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
