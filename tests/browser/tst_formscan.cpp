#include "browser/formscan.h"

#include <QFile>
#include <QtTest>

namespace {

QString body(const QString &inner)
{
    return QStringLiteral("<body class=\"forum\">") + inner + QStringLiteral("</body>");
}

// The body markup a browser hands out for a saved page: line ends come out as LF.
bool readBody(const QString &fileName, QString *outer, QString *inner)
{
    QFile file(QStringLiteral(THREADLOOM_TEST_DATA "/forum-pages/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString page = QString::fromUtf8(file.readAll());
    page.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    page.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const qsizetype start = page.indexOf(QStringLiteral("<body"), 0, Qt::CaseInsensitive);
    const qsizetype end = page.lastIndexOf(QStringLiteral("</body>"), -1, Qt::CaseInsensitive);
    if (start < 0 || end < start)
        return false;
    *outer = page.mid(start, end + 7 - start);
    const qsizetype open = outer->indexOf(QLatin1Char('>'));
    *inner = outer->mid(open + 1, outer->size() - open - 1 - 7);
    return true;
}

} // namespace

class TestFormScan : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scan_data();
    void scan();
    void inertText_data();
    void inertText();
    void realPages_data();
    void realPages();
    void bodyInner_data();
    void bodyInner();
    void rewrites_data();
    void rewrites();
};

void TestFormScan::scan_data()
{
    QTest::addColumn<QString>("outer");
    QTest::addColumn<QString>("inner");
    QTest::addColumn<int>("formIndex");
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<int>("passes");

    const auto add = [](const char *name, const QString &inner, int form, int field, int passes) {
        QTest::newRow(name) << body(inner) << inner << form << field << passes;
    };
    add("hidden, subject, text area",
        QStringLiteral("<form action=\"/post\"><input type=\"hidden\" name=\"t\" value=\"1\">"
                       "<input type=\"text\" name=\"subject\"><textarea name=\"message\"></textarea>"
                       "<input type=\"submit\" value=\"Post\"></form>"),
        0, 2, 1);
    add("tags in capitals",
        QStringLiteral("<FORM ACTION=\"/post\"><INPUT TYPE=\"hidden\" NAME=\"t\"><TEXTAREA NAME=\"m\"></TEXTAREA>"
                       "<INPUT TYPE=\"submit\"></FORM>"),
        0, 1, 1);
    add("search form first",
        QStringLiteral("<form action=\"/search\"><input type=\"text\" name=\"q\"><input type=\"submit\"></form>"
                       "<form action=\"/post\"><input type=\"text\" name=\"subject\"><textarea name=\"m\"></textarea>"
                       "<input type=\"submit\"></form>"),
        1, 1, 1);
    add("select list before the text area is not counted",
        QStringLiteral("<form><input type=\"text\" name=\"subject\"><select name=\"icon\"><option>1</option></select>"
                       "<textarea name=\"m\"></textarea><input type=\"submit\"></form>"),
        0, 1, 1);
    add("input naming a text area stops the field scan",
        QStringLiteral("<form><input type=\"text\" name=\"subject\"><input type=\"hidden\" name=\"textarea_mode\">"
                       "<textarea name=\"m\"></textarea><input type=\"submit\"></form>"),
        0, 1, 1);
    add("page text mentioning a text area inside the form",
        QStringLiteral("<form><input type=\"text\" name=\"s\"><p>Write in the textarea below</p>"
                       "<input type=\"text\" name=\"t\"><textarea></textarea><input type=\"submit\"></form>"),
        0, 0, 1);
    add("no text area: both passes, nothing found",
        QStringLiteral("<form action=\"/login\"><input type=\"text\" name=\"user\"><input type=\"password\" "
                       "name=\"pw\"></form>"),
        -1, -1, 2);
    add("text area outside every form", QStringLiteral("<textarea></textarea><form><input type=\"text\"></form>"), -1,
        -1, 2);
    add("empty page", QString(), -1, -1, 2);
    add("text area on the last line is not found by the field scan",
        QStringLiteral("<form action=\"/p\"><textarea name=\"m\"></textarea>"), 0, -1, 1);
    // The form scan skips a form opened inside another; the field scan counts it, so they disagree.
    add("nested form text",
        QStringLiteral("<form id=\"a\"><form id=\"b\"><input type=\"text\"></form></form>"
                       "<form id=\"c\"><textarea></textarea><input type=\"submit\"></form>"),
        1, -1, 1);

    // The first pass leaves "</form >" closed, the second does not: only the second pass finds
    // the text area and counts it in the still open form.
    const QString loose = QStringLiteral("<form action=\"/a\"><input type=\"text\" name=\"q\"></form >"
                                         "<textarea name=\"m\"></textarea><input type=\"hidden\" name=\"x\">");
    QTest::newRow("found by the second pass only") << body(loose) << loose << 0 << 1 << 2;
}

void TestFormScan::scan()
{
    QFETCH(QString, outer);
    QFETCH(QString, inner);
    QFETCH(int, formIndex);
    QFETCH(int, fieldIndex);
    QFETCH(int, passes);

    const FormScan result = scanForPostForm(outer, inner);
    QCOMPARE(result.formIndex, formIndex);
    QCOMPARE(result.fieldIndex, fieldIndex);
    QCOMPARE(result.scratchTexts.size(), passes);
    for (const QString &text : result.scratchTexts)
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
}

void TestFormScan::inertText_data()
{
    QTest::addColumn<QString>("inner");
    QTest::addColumn<int>("formIndex");
    QTest::addColumn<int>("fieldIndex");

    // Every row's comment, script or style text says INERT; none of it is scanned.
    const QString post = QStringLiteral("<form action=\"/post\"><input name=\"s\"><textarea name=\"m\"></textarea>"
                                        "<input type=\"submit\"></form>");
    const QString search = QStringLiteral("<form action=\"/search\"><input name=\"q\"></form>");
    QTest::newRow("commented-out form before the real one")
        << "<!-- INERT <form action=\"/old\"><textarea></textarea></form> -->" + search + post << 1 << 1;
    QTest::newRow("form in a script string")
        << "<script>var INERT = '<form><input name=\"a\">';</script>" + post << 0 << 1;
    QTest::newRow("script naming a text area inside the form")
        << "<form><input name=\"s\"><SCRIPT type=\"text/javascript\">INERT('textarea')</SCRIPT>"
           "<input name=\"t\"><textarea></textarea></form>"
        << 0 << 2;
    QTest::newRow("style rule for text areas") << "<form><style>INERT textarea { width: 9em }</style><input "
                                                  "name=\"s\"><textarea></textarea></form>"
                                               << 0 << 1;
    QTest::newRow("comment mark inside an attribute value")
        << "<form><input value=\"<!--\"><textarea></textarea></form><!-- INERT -->" << 0 << 1;
    QTest::newRow("empty comments end at once") << "<!--><!--->" + post + "<!-- INERT -->" << 0 << 1;
    QTest::newRow("comment never closed") << "<form><input name=\"s\"><!-- INERT <textarea>" << -1 << -1;
    QTest::newRow("script never closed") << search + "<script>INERT <form><textarea>" << -1 << -1;
}

void TestFormScan::inertText()
{
    QFETCH(QString, inner);
    QFETCH(int, formIndex);
    QFETCH(int, fieldIndex);

    const FormScan result = scanForPostForm(body(inner), inner);
    QCOMPARE(result.formIndex, formIndex);
    QCOMPARE(result.fieldIndex, fieldIndex);
    // The scratch copy is what was scanned.
    for (const QString &text : result.scratchTexts)
        QVERIFY2(!text.contains(QLatin1String("INERT")), qPrintable(text));
}

void TestFormScan::realPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("formIndex");
    QTest::addColumn<int>("fieldIndex");

    QTest::newRow("custom forum, search form first") << "generic-posting-1.html" << 1 << 5;
    // A class name mentioning "textarea" sits on the line of the second hidden input, before the
    // text area itself, so the scan stops one field early.
    QTest::newRow("question page") << "generic-posting-2.html" << 0 << 1;
    QTest::newRow("guestbook") << "generic-posting-3.html" << 0 << 3;
    QTest::newRow("bbs thread, reply form is the 7th") << "mitbbs-thread-1.html" << 6 << 2;
    QTest::newRow("contact form after login and search") << "vbulletin-contact-1.html" << 3 << 8;
    QTest::newRow("new thread as guest") << "vbulletin-posting-1.html" << 2 << 1;
    QTest::newRow("registration, captcha field") << "vbulletin-register-1.html" << 2 << 6;
    QTest::newRow("quick reply") << "vbulletin-thread-1.html" << 2 << 0;
    // "comment-textarea" is a class on a block after the third input.
    QTest::newRow("comment form") << "wordpress-thread-1.html" << 0 << 2;
    QTest::newRow("login page") << "phpbb-login-1.html" << -1 << -1;
    QTest::newRow("sign-in page") << "vanilla-login-1.html" << -1 << -1;
    QTest::newRow("jive login") << "jive-login-1.html" << -1 << -1;
    QTest::newRow("phpbb2 login") << "phpbb2-login-1.html" << -1 << -1;
}

void TestFormScan::realPages()
{
    QFETCH(QString, file);
    QFETCH(int, formIndex);
    QFETCH(int, fieldIndex);

    QString outer, inner;
    QVERIFY2(readBody(file, &outer, &inner), qPrintable(file));
    const FormScan result = scanForPostForm(outer, inner);
    QCOMPARE(result.formIndex, formIndex);
    QCOMPARE(result.fieldIndex, fieldIndex);
}

void TestFormScan::bodyInner_data()
{
    QTest::addColumn<QString>("outer");
    QTest::addColumn<QString>("inner");

    QTest::newRow("attributes") << "<body class=\"a>b\" id=x><p>text</p></body>"
                                << "<p>text</p>";
    QTest::newRow("capitals") << "<BODY><form></form></BODY>"
                              << "<form></form>";
    QTest::newRow("empty body") << "<body></body>"
                                << "";
    QTest::newRow("cut off") << "<body onload='x"
                             << "";
    QTest::newRow("not a body") << "<div>x</div>"
                                << "<div>x</div>";
}

void TestFormScan::bodyInner()
{
    QFETCH(QString, outer);
    QFETCH(QString, inner);
    QCOMPARE(bodyInnerMarkup(outer), inner);
}

void TestFormScan::rewrites_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("mixed case, loose closing tag")
        << "<FORM a><Input x><TEXTAREA></TEXTAREA></Form >"
        << "\r\n<form\r\n a>\r\n<input x>\r\n<textarea></TEXTAREA>\r\n</form>\r\n >"
        << "\r\n<form\r\n a>\r\n<inputx>\r\n<textarea></TEXTAREA></Form >";
    QTest::newRow("tight closing tag") << "<form></form>"
                                       << "\r\n<form\r\n>\r\n</form>\r\n>"
                                       << "\r\n<form\r\n>\r\n</form>\r\n";
    QTest::newRow("tags back to back") << "<<FoRm</form<INPUT <textArea<input "
                                       << "<\r\n<form\r\n\r\n</form>\r\n\r\n<input \r\n<textarea\r\n<input "
                                       << "<\r\n<form\r\n</form\r\n<input\r\n<textarea\r\n<input";
    QTest::newRow("input without a blank after its name") << "<input/><input\ttype=x>"
                                                          << "<input/><input\ttype=x>"
                                                          << "<input/><input\ttype=x>";
}

void TestFormScan::rewrites()
{
    QFETCH(QString, markup);
    QFETCH(QString, first);
    QFETCH(QString, second);

    QCOMPARE(rewriteForFirstPass(markup), first);
    QCOMPARE(rewriteForSecondPass(markup), second);
}

QTEST_APPLESS_MAIN(TestFormScan)
#include "tst_formscan.moc"
