#include "app/rtfreader.h"

#include <QtTest>

#include <sys/resource.h>

namespace {

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A compact picture of the styled runs: "[b i u s fsN #rrggbb ^ _]text", runs joined by "|",
// paragraphs by "/". Attributes at their defaults are left out.
QString describe(const RtfDocument &doc)
{
    QStringList paragraphs;
    for (const RtfParagraph &p : doc.paragraphs) {
        QStringList runs;
        for (const RtfRun &run : p.runs) {
            const RtfCharFormat &f = run.format;
            QStringList attrs;
            if (f.bold)
                attrs << QStringLiteral("b");
            if (f.italic)
                attrs << QStringLiteral("i");
            if (f.underline)
                attrs << QStringLiteral("u");
            if (f.strikeOut)
                attrs << QStringLiteral("s");
            if (f.halfPoints != 24)
                attrs << QStringLiteral("fs%1").arg(f.halfPoints);
            if (f.hasColor)
                attrs << QStringLiteral("#%1").arg(f.rgb, 6, 16, QLatin1Char('0'));
            if (f.position == RtfCharFormat::Position::Superscript)
                attrs << QStringLiteral("^");
            if (f.position == RtfCharFormat::Position::Subscript)
                attrs << QStringLiteral("_");
            if (f.font >= 0)
                attrs << QStringLiteral("f%1").arg(f.font);
            runs << (attrs.isEmpty() ? QString() : QLatin1Char('[') + attrs.join(QLatin1Char(' ')) + QLatin1Char(']')) +
                        run.text;
        }
        paragraphs << runs.join(QLatin1Char('|'));
    }
    return paragraphs.join(QLatin1Char('/'));
}

QString describeParagraph(const RtfParagraphFormat &p)
{
    static const char *const names[] = {"left", "center", "right", "justify"};
    return QStringLiteral("%1 li%2 ri%3 fi%4 sb%5 sa%6")
        .arg(QLatin1String(names[int(p.alignment)]))
        .arg(p.leftIndent)
        .arg(p.rightIndent)
        .arg(p.firstLineIndent)
        .arg(p.spaceBefore)
        .arg(p.spaceAfter);
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void text_data();
    void text();
    void formatting_data();
    void formatting();
    void fontTable_data();
    void fontTable();
    void paragraphFormat_data();
    void paragraphFormat();
    void hostileInput_data();
    void hostileInput();
    void millionNestedGroups();
    void deepGroupsGiveTheirStateBack();
    void ourHelpDocument();
};

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 Hello\\par World}") << QStringLiteral("Hello\nWorld");
    QTest::newRow("final par adds no empty paragraph") << QByteArray("{\\rtf1 a\\par}") << QStringLiteral("a");
    QTest::newRow("empty paragraphs kept") << QByteArray("{\\rtf1 a\\par\\par b}") << QStringLiteral("a\n\nb");
    QTest::newRow("line break") << QByteArray("{\\rtf1 a\\line b}") << QStringLiteral("a\u2028b");
    QTest::newRow("tab keyword and tab byte") << QByteArray("{\\rtf1 a\\tab b\tc}") << QStringLiteral("a\tb\tc");
    QTest::newRow("source line ends ignored") << QByteArray("{\\rtf1 a\r\nb\nc}") << QStringLiteral("abc");
    QTest::newRow("backslash before line end is a paragraph")
        << QByteArray("{\\rtf1 a\\\nb}") << QStringLiteral("a\nb");
    QTest::newRow("escaped specials") << QByteArray("{\\rtf1 \\\\ \\{x\\}}") << QStringLiteral("\\ {x}");
    QTest::newRow("keyword eats one blank only") << QByteArray("{\\rtf1\\b  two}") << QStringLiteral(" two");
    QTest::newRow("hex escape latin") << QByteArray("{\\rtf1 caf\\'e9}") << QStringLiteral("caf\u00e9");
    QTest::newRow("hex escape windows-1252")
        << QByteArray("{\\rtf1 \\'80 \\'93q\\'94}") << QStringLiteral("\u20ac \u201cq\u201d");
    QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 \\u8364?x}") << QStringLiteral("\u20acx");
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QStringLiteral("\uf0b7");
    QTest::newRow("fallback given as hex escape") << QByteArray("{\\rtf1 \\u8364\\'80x}") << QStringLiteral("\u20acx");
    QTest::newRow("uc2 drops two") << QByteArray("{\\rtf1\\uc2 \\u8364xyz}") << QStringLiteral("\u20acz");
    QTest::newRow("uc0 drops none") << QByteArray("{\\rtf1\\uc0 \\u8364x}") << QStringLiteral("\u20acx");
    QTest::newRow("uc is scoped to its group")
        << QByteArray("{\\rtf1{\\uc0 a}\\u8364xy}") << QStringLiteral("a\u20acy");
    QTest::newRow("fallback ends at a brace") << QByteArray("{\\rtf1\\uc3{\\u8364}x}") << QStringLiteral("\u20acx");
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QStringLiteral("\U0001F600");
    QTest::newRow("font table skipped") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}Hi}")
                                        << QStringLiteral("Hi");
    QTest::newRow("starred destination skipped")
        << QByteArray("{\\rtf1 a{\\*\\unknown secret{\\b deep}}b}") << QStringLiteral("ab");
    QTest::newRow("paragraph inside skipped group")
        << QByteArray("{\\rtf1 a{\\*\\x p\\par q}b}") << QStringLiteral("ab");
    QTest::newRow("unknown group keyword shows its text")
        << QByteArray("{\\rtf1 a{\\foo b}c}") << QStringLiteral("abc");
    QTest::newRow("field shows its result")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}}")
        << QStringLiteral("link");
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v b}c\\v d\\v0 e\\v f\\plain g}") << QStringLiteral("aceg");
    QTest::newRow("picture skipped") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47}b}") << QStringLiteral("ab");
    QTest::newRow("binary data skipped") << QByteArray("{\\rtf1 a\\bin3 {}}b}") << QStringLiteral("ab");
    QTest::newRow("table cells") << QByteArray("{\\rtf1 a\\cell b\\cell\\row c}") << QStringLiteral("a\tb\t\nc");
    QTest::newRow("not rtf: plain text") << QByteArray("plain\r\ntext\rhere\n") << QStringLiteral("plain\ntext\nhere");
    QTest::newRow("not rtf: latin-1") << QByteArray("caf\xe9") << QStringLiteral("caf\u00e9");
    QTest::newRow("leading BOM and blanks") << QByteArray("\xef\xbb\xbf \r\n{\\rtf1 x}") << QStringLiteral("x");
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(readRtf(rtf).plainText(), expected);
}

void TestRtfReader::formatting_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("group restores") << QByteArray("{\\rtf1 a{\\b b}c}") << QStringLiteral("a|[b]b|c");
    QTest::newRow("zero switches off") << QByteArray("{\\rtf1\\b a\\b0 b}") << QStringLiteral("[b]a|b");
    QTest::newRow("plain resets characters")
        << QByteArray("{\\rtf1\\b\\i\\ul\\fs40 a\\plain b}") << QStringLiteral("[b i u fs40]a|b");
    QTest::newRow("underline off") << QByteArray("{\\rtf1\\ul a\\ulnone b\\ul0 c}") << QStringLiteral("[u]a|bc");
    QTest::newRow("strike and scripts") << QByteArray("{\\rtf1\\strike s\\strike0\\super 2\\nosupersub n\\sub x}")
                                        << QStringLiteral("[s]s|[^]2|n|[_]x");
    QTest::newRow("same format merges runs") << QByteArray("{\\rtf1 a{\\b0 b}{c}}") << QStringLiteral("abc");
    QTest::newRow("colour table")
        << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}\\cf1 r\\cf2 g\\cf0 d}")
        << QStringLiteral("[#ff0000]r|[#0080ff]g|d");
    QTest::newRow("colour index past the table")
        << QByteArray("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\cf9 x}") << QStringLiteral("x");
    QTest::newRow("empty colour entry is the default")
        << QByteArray("{\\rtf1{\\colortbl;;\\red1\\green2\\blue3;}\\cf1 a\\cf2 b}") << QStringLiteral("a|[#010203]b");
    QTest::newRow("colour components clamped")
        << QByteArray("{\\rtf1{\\colortbl;\\red999\\green-5\\blue16;}\\cf1 x}") << QStringLiteral("[#ff0010]x");
    QTest::newRow("font size") << QByteArray("{\\rtf1\\fs40 big\\fs small}") << QStringLiteral("[fs40]big|small");
    QTest::newRow("font size clamped") << QByteArray("{\\rtf1\\fs99999 a\\fs0 b}") << QStringLiteral("[fs400]a|[fs2]b");
    QTest::newRow("font switch and plain")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 B;}}a{\\f1 b}\\f1 c\\plain d}") << QStringLiteral("a|[f1]bc|d");
    QTest::newRow("format of each paragraph")
        << QByteArray("{\\rtf1{\\b a\\par b}\\par c}") << QStringLiteral("[b]a/[b]b/c");
}

void TestRtfReader::formatting()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(describe(readRtf(rtf)), expected);
}

void TestRtfReader::fontTable_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grouped entries")
        << QByteArray("{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Verdana;}{\\f1\\fmodern Courier New;}}x}")
        << QStringLiteral("default 1; 0 Verdana; 1 Courier New mono");
    QTest::newRow("entries without groups") << QByteArray("{\\rtf1{\\fonttbl\\f0\\froman Times;\\f3\\fprq1 Fixed;}x}")
                                            << QStringLiteral("default -1; 0 Times; 3 Fixed mono");
    QTest::newRow("alternative and panose left out")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Main{\\*\\panose 020b0604}{\\falt Other};}}x}")
        << QStringLiteral("default -1; 0 Main");
}

void TestRtfReader::fontTable()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    const RtfDocument doc = readRtf(rtf);
    QStringList parts{QStringLiteral("default %1").arg(doc.defaultFont)};
    for (auto it = doc.fonts.cbegin(); it != doc.fonts.cend(); ++it)
        parts << QStringLiteral("%1 %2%3").arg(it.key()).arg(it->name,
                                                             it->monospace ? QStringLiteral(" mono") : QString());
    QCOMPARE(parts.join(QStringLiteral("; ")), expected);
    QCOMPARE(doc.plainText(), QStringLiteral("x"));
}

void TestRtfReader::paragraphFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("default") << QByteArray("{\\rtf1 a}") << QStringList{QStringLiteral("left li0 ri0 fi0 sb0 sa0")};
    QTest::newRow("alignment") << QByteArray("{\\rtf1\\qc a\\par\\qr b\\par\\qj c\\par\\ql d}")
                               << QStringList{QStringLiteral("center li0 ri0 fi0 sb0 sa0"),
                                              QStringLiteral("right li0 ri0 fi0 sb0 sa0"),
                                              QStringLiteral("justify li0 ri0 fi0 sb0 sa0"),
                                              QStringLiteral("left li0 ri0 fi0 sb0 sa0")};
    QTest::newRow("hanging indent, pard resets")
        << QByteArray("{\\rtf1\\li480\\fi-300\\ri60\\sb120\\sa60 item\\par\\pard plain}")
        << QStringList{QStringLiteral("left li480 ri60 fi-300 sb120 sa60"), QStringLiteral("left li0 ri0 fi0 sb0 sa0")};
    QTest::newRow("properties at the break count")
        << QByteArray("{\\rtf1 a\\qc\\par b}")
        << QStringList{QStringLiteral("center li0 ri0 fi0 sb0 sa0"), QStringLiteral("center li0 ri0 fi0 sb0 sa0")};
    QTest::newRow("indents clamped") << QByteArray("{\\rtf1\\li99999999\\sa-40 a}")
                                     << QStringList{QStringLiteral("left li31680 ri0 fi0 sb0 sa0")};
}

void TestRtfReader::paragraphFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    const RtfDocument doc = readRtf(rtf);
    QStringList actual;
    for (const RtfParagraph &p : doc.paragraphs)
        actual << describeParagraph(p.format);
    QCOMPARE(actual, expected);
}

void TestRtfReader::hostileInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("missing closing braces") << QByteArray("{\\rtf1 {\\b bold{\\i more") << QStringLiteral("boldmore");
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}b") << QStringLiteral("ab");
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
    QTest::newRow("hex escape cut off at the end") << QByteArray("{\\rtf1 a\\'4") << QStringLiteral("a");
    QTest::newRow("hex escape cut off by a brace") << QByteArray("{\\rtf1 x{a\\'4}b}") << QStringLiteral("xab");
    QTest::newRow("hex escape with bad digits") << QByteArray("{\\rtf1 a\\'zzb}") << QStringLiteral("azzb");
    QTest::newRow("huge unicode number") << QByteArray("{\\rtf1 \\u99999999999999999999?x}")
                                         << QStringLiteral("\ufffdx");
    QTest::newRow("huge negative unicode number")
        << QByteArray("{\\rtf1 \\u-99999999999?x}") << QStringLiteral("\ufffdx");
    QTest::newRow("huge uc count") << QByteArray("{\\rtf1{\\uc99999999999 \\u65 abc}d}") << QStringLiteral("Ad");
    QTest::newRow("huge bin length") << QByteArray("{\\rtf1 a\\bin99999999999 xyz}") << QStringLiteral("a");
    QTest::newRow("minus without digits") << QByteArray("{\\rtf1\\b- x}") << QStringLiteral("- x");
    QTest::newRow("control bytes dropped") << QByteArray("{\\rtf1 a\x01\x02\x00"
                                                         "b}",
                                                         13)
                                           << QStringLiteral("ab");
    QTest::newRow("very long keyword") << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'a') + QByteArray(" x}")
                                       << QStringLiteral("x");
    QTest::newRow("very long number") << QByteArray("{\\rtf1\\fs") + QByteArray(100000, '9') + QByteArray(" x}")
                                      << QStringLiteral("x");
    QTest::newRow("colour table never closed") << QByteArray("{\\rtf1{\\colortbl;\\red1;\\red2") << QString();
    QTest::newRow("star outside a group") << QByteArray("{\\rtf1 a\\*b}") << QStringLiteral("a");
}

void TestRtfReader::hostileInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(readRtf(rtf).plainText(), expected);
}

void TestRtfReader::millionNestedGroups()
{
    const int depth = 1000000;
    const QByteArray rtf = QByteArray("{\\rtf1 ") + QByteArray(depth, '{') + QByteArray("\\b deep") +
                           QByteArray(depth, '}') + QByteArray("after}");
    const long peakBefore = peakMemoryKb();
    const RtfDocument doc = readRtf(rtf);
    // A state per nesting level would cost tens of megabytes here; the input is two.
    QVERIFY2(peakMemoryKb() - peakBefore < 24 * 1024,
             qPrintable(QStringLiteral("peak grew by %1 kB").arg(peakMemoryKb() - peakBefore)));
    QCOMPARE(doc.plainText(), QStringLiteral("deepafter"));
    // The bold set deep inside ends with its group, even past the depth the reader tracks.
    QCOMPARE(describe(doc), QStringLiteral("[b]deep|after"));

    // Unbalanced the other way round: a million openings and nothing else.
    QCOMPARE(readRtf(QByteArray("{\\rtf1 x") + QByteArray(depth, '{')).plainText(), QStringLiteral("x"));
}

void TestRtfReader::deepGroupsGiveTheirStateBack()
{
    // A skipped destination beyond the tracked depth must not swallow what follows it.
    const int depth = 2000;
    const QByteArray rtf = QByteArray("{\\rtf1 ") + QByteArray(depth, '{') + QByteArray("{\\*\\x hidden}shown") +
                           QByteArray(depth, '}') + QByteArray("tail}");
    QCOMPARE(readRtf(rtf).plainText(), QStringLiteral("showntail"));
}

void TestRtfReader::ourHelpDocument()
{
    QFile file(QStringLiteral(THREADLOOM_SOURCE_DIR "/resources/Help.rtf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const RtfDocument doc = readRtf(file.readAll());
    const QString text = doc.plainText();

    QVERIFY(doc.paragraphs.size() > 20);
    QCOMPARE(doc.paragraphs.first().plainText(), QStringLiteral("Threadloom Help"));
    // Nothing of the markup or of the skipped tables leaks into the text.
    for (const QString &leak : {QStringLiteral("\\"), QStringLiteral("{"), QStringLiteral("}"),
                                QStringLiteral("Verdana"), QStringLiteral("Courier"), QStringLiteral("generator")})
        QVERIFY2(!text.contains(leak), qPrintable(leak));

    // Headings are large, bold and coloured; list items hang from a bullet.
    const RtfParagraph &title = doc.paragraphs.first();
    QCOMPARE(title.format.alignment, RtfParagraphFormat::Alignment::Center);
    QVERIFY(title.runs.first().format.bold);
    QVERIFY(title.runs.first().format.hasColor);
    QCOMPARE(title.runs.first().format.halfPoints, 40);
    int bullets = 0;
    int boldRuns = 0;
    for (const RtfParagraph &p : doc.paragraphs) {
        if (p.plainText().startsWith(QStringLiteral("\u2022\t"))) {
            ++bullets;
            QVERIFY(p.format.leftIndent > 0 && p.format.firstLineIndent < 0);
        }
        for (const RtfRun &run : p.runs)
            boldRuns += run.format.bold ? 1 : 0;
    }
    QVERIFY(bullets >= 10);
    QVERIFY(boldRuns >= 20);
}

QTEST_APPLESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
