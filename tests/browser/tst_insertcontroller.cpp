#include "browser/insertcontroller.h"
#include "browser/insertreport.h"
#include "browser/pagescripts.h"
#include "browser/postcheck.h"
#include "browser/scriptpage.h"
#include "compose/markuptemplate.h"
#include "compose/templateset.h"
#include "testenvironment.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <memory>

namespace {

// An editor's report also says whether a question is open beside it and whether the page has the focus.
QVariant reportOf(const QString &road, const QString &text, bool asked = false, bool focused = true)
{
    return QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("road"), road},
                                                       {QStringLiteral("text"), text},
                                                       {QStringLiteral("asked"), asked},
                                                       {QStringLiteral("focused"), focused}})
                                 .toJson());
}

// A script without the arguments its builder appended: what tells one kind of script from another.
QString scriptBody(const QString &script)
{
    return script.left(script.lastIndexOf(QStringLiteral("})(")));
}

// A page that answers each kind of insert script from the test's lists, a moment later, as the
// browser does; an exhausted list gives no answer at all, except that the user works in no
// surface of the page unless the test says so.
class FakePage : public ScriptPage
{
public:
    QVariant body = QStringLiteral("<body><form><textarea></textarea>\r\n</form></body>");
    QVariantList users, fills, selects, pastes, retypes, reads;
    QStringList scripts;
    int focused = 0;

    void runScript(const QString &script, ScriptResult done) override
    {
        scripts << script;
        const QString kind = scriptBody(script);
        QVariantList *answers = script == readBodyOuterScript()                      ? nullptr
                                : script == selectSurfaceScript()                    ? &selects
                                : script == readSurfaceScript()                      ? &reads
                                : kind == scriptBody(fillUserSurfaceScript({}))      ? &users
                                : kind == scriptBody(fillMessageBoxScript(0, 0, {})) ? &fills
                                : kind == scriptBody(pasteIntoSurfaceScript({}, {})) ? &pastes
                                : kind == scriptBody(answerQuestionScript({}, {}))   ? &retypes
                                                                                     : &unknown;
        if (answers == &users && users.isEmpty())
            users << QString::fromUtf8("{\"road\":\"none\"}");
        if (answers && answers->isEmpty())
            return;
        const QVariant answer = answers ? answers->takeFirst() : body;
        QTimer::singleShot(1, this, [done, answer] { done(answer); });
    }
    QUrl pageUrl() const override { return QUrl(QStringLiteral("http://127.0.0.1/post")); }
    void focusPage() override { ++focused; }

private:
    QVariantList unknown;
};

const QString converted = QStringLiteral("Hi [url=http://h/p]http://h/p[/url]\r\nbye\r\n\r\n");
const QString plain = QStringLiteral("Hi http://h/p\r\nbye\r\n\r\n");

} // namespace

class TestInsertController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void roads_data();
    void roads();
    void clicksWhileInserting();
    void silentPage();
    void parseReport_data();
    void parseReport();
    void showsMessage_data();
    void showsMessage();
    void visibleText_data();
    void visibleText();
    void markupTemplates_data();
    void markupTemplates();

private:
    QString scratchFile() const { return m_env->filePath(QStringLiteral("htmltemp.txt")); }

    std::unique_ptr<TestEnvironment> m_env;
};

void TestInsertController::roads_data()
{
    QTest::addColumn<QVariantList>("users"); // the surface the user works in; empty: none
    QTest::addColumn<QVariantList>("fills");
    QTest::addColumn<QVariantList>("selects");
    QTest::addColumn<QVariantList>("pastes");  // the paste's own report, then the read-backs
    QTest::addColumn<QVariantList>("retypes"); // after the editor asked
    QTest::addColumn<bool>("markup");
    QTest::addColumn<bool>("inserted");

    const QVariant editor = reportOf(QStringLiteral("editor"), QStringLiteral("Old draft"));
    const QVariant asking = reportOf(QStringLiteral("editor"), QStringLiteral("Old draft"), true);
    const QVariantList selected{editor};
    const QString lf = QString(converted).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QVariant shown = reportOf(QStringLiteral("editor"), lf);
    QTest::newRow("text area takes it") << QVariantList{} << QVariantList{reportOf(QStringLiteral("field"), lf)}
                                        << selected << QVariantList{} << QVariantList{} << false << true;
    QTest::newRow("text area cuts it short")
        << QVariantList{} << QVariantList{reportOf(QStringLiteral("field"), lf.left(10))} << selected << QVariantList{}
        << QVariantList{} << false << false;
    QTest::newRow("no message box") << QVariantList{} << QVariantList{reportOf(QStringLiteral("none"), {})} << selected
                                    << QVariantList{} << QVariantList{} << false << false;
    QTest::newRow("no answer the insert can read") << QVariantList{} << QVariantList{QVariant(true)} << selected
                                                   << QVariantList{} << QVariantList{} << false << false;
    QTest::newRow("editor shows it at once")
        << QVariantList{} << QVariantList{editor} << selected << QVariantList{shown} << QVariantList{} << false << true;
    QTest::newRow("editor shows it on the third look")
        << QVariantList{} << QVariantList{editor} << selected
        << QVariantList{reportOf(QStringLiteral("editor"), {}), reportOf(QStringLiteral("editor"), {}), shown}
        << QVariantList{} << false << true;
    QTest::newRow("editor renders the link codes")
        << QVariantList{} << QVariantList{editor} << selected
        << QVariantList{reportOf(QStringLiteral("editor"), QStringLiteral("Hi http://h/p\nbye"))} << QVariantList{}
        << false << true;
    QTest::newRow("html editor shows the anchor's text")
        << QVariantList{} << QVariantList{editor} << selected
        << QVariantList{reportOf(QStringLiteral("editor"), QStringLiteral("Hi\u00a0http://h/p\n\nbye\u200b"))}
        << QVariantList{} << true << true;
    QTest::newRow("editor keeps its old text")
        << QVariantList{} << QVariantList{editor} << selected
        << QVariantList(InsertController::readBackTries + 1, editor) << QVariantList{} << false << false;
    QTest::newRow("editor gone before the paste")
        << QVariantList{} << QVariantList{editor} << selected << QVariantList{reportOf(QStringLiteral("none"), {})}
        << QVariantList{} << false << false;
    QTest::newRow("page takes the focus late")
        << QVariantList{} << QVariantList{editor}
        << QVariantList{reportOf(QStringLiteral("editor"), {}, false, false),
                        reportOf(QStringLiteral("editor"), {}, false, false), editor}
        << QVariantList{shown} << QVariantList{} << false << true;
    QTest::newRow("editor asks, the answer puts it in") << QVariantList{} << QVariantList{editor} << selected
                                                        << QVariantList{asking} << QVariantList{shown} << true << true;
    QTest::newRow("editor asks, asked once only")
        << QVariantList{} << QVariantList{editor} << selected
        << QVariantList(InsertController::readBackTries + 1, asking) << QVariantList{asking, asking} << true << false;
    QTest::newRow("the user's text area takes it")
        << QVariantList{reportOf(QStringLiteral("field"), lf)} << QVariantList{} << selected << QVariantList{}
        << QVariantList{} << false << true;
    QTest::newRow("the user's editor takes it")
        << QVariantList{editor} << QVariantList{} << selected << QVariantList{shown} << QVariantList{} << false << true;
}

void TestInsertController::roads()
{
    QFETCH(QVariantList, users);
    QFETCH(QVariantList, fills);
    QFETCH(QVariantList, selects);
    QFETCH(QVariantList, pastes);
    QFETCH(QVariantList, retypes);
    QFETCH(bool, markup);
    QFETCH(bool, inserted);

    FakePage page;
    page.users = users;
    page.fills = fills;
    page.selects = selects;
    if (!pastes.isEmpty())
        page.pastes = {pastes.takeFirst()};
    page.reads = pastes;
    page.retypes = retypes;
    PostCheck postCheck;
    int failures = 0;
    InsertController insert(
        page, postCheck,
        [markup] {
            return InsertController::Message{converted, markup, plain};
        },
        [&failures](std::function<void()> dismissed) {
            ++failures;
            dismissed();
        },
        scratchFile());
    QSignalSpy finished(&insert, &InsertController::finished);
    insert.autoInsert();
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.first().value(0).toBool(), inserted);
    QCOMPARE(failures, inserted ? 0 : 1);
    // Armed only for a message that is there.
    QCOMPARE(postCheck.countdown(), inserted ? PostCheck::armedDownloads : 0);
    QCOMPARE(postCheck.lastInsertedText(), inserted ? converted : QString());
    // The editor's road hands over the page's focus; a text area's leaves it where it was.
    const QVariantList filled = users.isEmpty() ? fills : users;
    QCOMPARE(page.focused > 0, parseInsertReport(filled.first()).road == InsertReport::Editor);
    // Selected until the page had the focus; a question is answered once.
    QVERIFY(page.selects.isEmpty() || page.focused == 0);
    QCOMPARE(page.retypes.size(), std::max<qsizetype>(0, retypes.size() - 1));
    // The markup is read, and its scan's record put on disk, only where the user works in no surface.
    QCOMPARE(page.scripts.contains(readBodyOuterScript()), users.isEmpty());
    if (users.isEmpty())
        QTRY_VERIFY(QFile::exists(m_env->filePath(QStringLiteral("htmltemp.txt"))));
}

void TestInsertController::clicksWhileInserting()
{
    // Each click is one whole insert; the next begins once the user has seen the last one's box.
    FakePage page;
    page.fills = {reportOf(QStringLiteral("none"), {}), reportOf(QStringLiteral("field"), converted)};
    PostCheck postCheck;
    std::function<void()> dismiss;
    InsertController insert(
        page, postCheck,
        [] {
            return InsertController::Message{converted, false, plain};
        },
        [&dismiss](std::function<void()> dismissed) { dismiss = dismissed; }, scratchFile());
    QSignalSpy finished(&insert, &InsertController::finished);
    insert.autoInsert();
    insert.autoInsert();
    QTRY_VERIFY(dismiss);
    QTest::qWait(20);
    QCOMPARE(page.scripts.size(), 3); // the first's three; the second has not begun behind the box
    dismiss();
    QTRY_COMPARE(finished.size(), 2);
    QCOMPARE(finished.at(0).value(0).toBool(), false);
    QCOMPARE(finished.at(1).value(0).toBool(), true);
    QVERIFY(!insert.busy());
}

void TestInsertController::silentPage()
{
    // A page that never answers ends the insert with the box, and the next click works again.
    FakePage page;
    page.fills = {};
    PostCheck postCheck;
    int failures = 0;
    InsertController insert(
        page, postCheck,
        [] {
            return InsertController::Message{converted, false, plain};
        },
        [&failures](std::function<void()> dismissed) {
            ++failures;
            dismissed();
        },
        scratchFile());
    insert.setAnswerLimit(50);
    QSignalSpy finished(&insert, &InsertController::finished);
    insert.autoInsert();
    QVERIFY(finished.wait(5000));
    QCOMPARE(failures, 1);
    // A page that answers must not be taken for silent on a busy machine.
    insert.setAnswerLimit(5000);
    page.fills = {reportOf(QStringLiteral("field"), converted)};
    insert.autoInsert();
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.last().value(0).toBool(), true);
}

void TestInsertController::parseReport_data()
{
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<int>("road");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("flags"); // which of "asked" and "focused" hold

    QTest::newRow("field") << reportOf(QStringLiteral("field"), QStringLiteral("v"), false, false)
                           << int(InsertReport::Field) << "v"
                           << "";
    QTest::newRow("editor") << reportOf(QStringLiteral("editor"), QStringLiteral("e"), true, true)
                            << int(InsertReport::Editor) << "e"
                            << "asked focused";
    QTest::newRow("none") << reportOf(QStringLiteral("none"), QStringLiteral("x"), true, true)
                          << int(InsertReport::None) << ""
                          << "";
    QTest::newRow("unknown road") << reportOf(QStringLiteral("Field"), QStringLiteral("x")) << int(InsertReport::None)
                                  << ""
                                  << "";
    QTest::newRow("no answer") << QVariant() << int(InsertReport::None) << ""
                               << "";
    QTest::newRow("a bare true") << QVariant(true) << int(InsertReport::None) << ""
                                 << "";
    QTest::newRow("not JSON") << QVariant(QStringLiteral("{road: field")) << int(InsertReport::None) << ""
                              << "";
    QTest::newRow("text and flags of other types")
        << QVariant(QStringLiteral("{\"road\":\"editor\",\"text\":5,\"asked\":\"yes\",\"focused\":1}"))
        << int(InsertReport::Editor) << ""
        << "";
}

void TestInsertController::parseReport()
{
    QFETCH(QVariant, answer);
    QFETCH(int, road);
    QFETCH(QString, text);
    QFETCH(QString, flags);
    const InsertReport report = parseInsertReport(answer);
    QCOMPARE(int(report.road), road);
    QCOMPARE(report.text, text);
    QCOMPARE(report.asked, flags.contains(QLatin1String("asked")));
    QCOMPARE(report.focused, flags.contains(QLatin1String("focused")));
}

void TestInsertController::showsMessage_data()
{
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("shows");

    QTest::newRow("as set") << "a\nb\n\n"
                            << "a\r\nb\r\n\r\n"
                            << true;
    QTest::newRow("paragraphs and non-breaking blanks") << "Hello\u00a0forum\n\nfriends"
                                                        << "Hello forum\r\nfriends" << true;
    QTest::newRow("zero-width caret holders") << "\ufeffHel\u200blo"
                                              << "Hello" << true;
    QTest::newRow("soft hyphen and word joiner") << "Hel\u00adlo\u2060 forum"
                                                 << "Hello forum" << true;
    QTest::newRow("among other text") << "Quote\nHello\nSignature"
                                      << "Hello" << true;
    QTest::newRow("only its start") << "Hello"
                                    << "Hello forum" << false;
    QTest::newRow("a word split") << "Hel lo"
                                  << "Hello" << false;
    QTest::newRow("empty surface") << ""
                                   << "Hello" << false;
    QTest::newRow("empty message") << ""
                                   << "\r\n\r\n"
                                   << true;
}

void TestInsertController::showsMessage()
{
    QFETCH(QString, readBack);
    QFETCH(QString, message);
    QFETCH(bool, shows);
    QCOMPARE(::showsMessage(readBack, message), shows);
}

void TestInsertController::visibleText_data()
{
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("text");

    QTest::newRow("anchor") << "see <a href='http://h/?a=1&b=2'>http://h/?a=1&amp;b=2</a>."
                            << "see http://h/?a=1&b=2.";
    QTest::newRow("line breaks") << "a<br>b<BR/>c</p>d"
                                 << "a\nb\nc\nd";
    QTest::newRow("references") << "&lt;&#65;&#x42;&quot;&nbsp;&bogus;&"
                                << "<AB\"\u00a0&bogus;&";
    QTest::newRow("a lone angle bracket") << "1 < 2 <3"
                                          << "1 < 2 <3";
    QTest::newRow("unclosed tag") << "text <a href='x"
                                  << "text ";
    QTest::newRow("bad code points") << "&#0;&#xD800;&#x110000;"
                                     << "\ufffd\ufffd\ufffd";
}

void TestInsertController::visibleText()
{
    QFETCH(QString, markup);
    QFETCH(QString, text);
    QCOMPARE(visibleTextOfMarkup(markup), text);
}

void TestInsertController::markupTemplates_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("customOpen"); // the first custom slot, named "mine"
    QTest::addColumn<bool>("markup");

    QTest::newRow("html") << "html"
                          << "" << true;
    QTest::newRow("ubb") << "ubb"
                         << "" << false;
    QTest::newRow("text") << "text"
                          << "" << false;
    QTest::newRow("custom anchor after blanks") << "mine"
                                                << "  <a href=\"" << true;
    QTest::newRow("custom code") << "mine"
                                 << "[URL=" << false;
    QTest::newRow("custom lone bracket") << "mine"
                                         << "<" << false;
    QTest::newRow("name matched exactly") << "Mine"
                                          << "<a href=\"" << false;
}

void TestInsertController::markupTemplates()
{
    QFETCH(QString, selected);
    QFETCH(QString, customOpen);
    QFETCH(bool, markup);
    TemplateSet templates = defaultTemplates();
    templates.entries[3].name = QStringLiteral("mine");
    templates.entries[3].linkOpen01 = customOpen;
    QCOMPARE(convertsToMarkup(selected, templates), markup);
}

QTEST_GUILESS_MAIN(TestInsertController)
#include "tst_insertcontroller.moc"
