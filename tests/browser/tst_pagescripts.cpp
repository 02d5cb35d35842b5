#include "browser/insertreport.h"
#include "browser/pagescripts.h"
#include "browsertest.h"
#include "browsertestmain.h"

#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

// The value a text area reports for text: its line breaks come back as LF.
QString asTextAreaValue(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Every control's value, in page order, as "id=value" lines.
const QString controlValues =
    QStringLiteral("Array.prototype.map.call(document.querySelectorAll('input,textarea,select'),"
                   " function (e) { return e.id + '=' + e.value; }).join('\\n')");

const QStringList hostileTexts = {
    QStringLiteral("He said \"hi\" and 'bye'"),
    QStringLiteral("</script><script>document.title='pwned'</script>"),
    QStringLiteral("\"); document.title = 'pwned'; (\""),
    QStringLiteral("'); document.title = 'pwned'; ('"),
    QStringLiteral("line\u2028separator\u2029paragraph"),
    QStringLiteral("C:\\new\\table \\\\ \\u0041 \\x41 \\"),
    QStringLiteral("%1 %2 %3 ${document.title} `back`"),
    QStringLiteral("first\r\nsecond\rthird\nfourth"),
    QString(QChar(0xD800)) + QStringLiteral(" lone surrogate, and a pair ") + QString::fromUcs4(U"\U0001F600"),
};

// Whether the fill script put text into a text area.
bool filledField(QWebEnginePage *page, int form, int field, const QString &text)
{
    return parseInsertReport(runScript(page, fillMessageBoxScript(form, field, text))).road == InsertReport::Field;
}

} // namespace

class TestPageScripts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void setMessageField_data();
    void setMessageField();
    void setMessageFieldEvents();
    void userSurface_data();
    void userSurface();
    void editorAsks_data();
    void editorAsks();
    void hostileTexts_data();
    void hostileTexts();
    void insertAtCaret_data();
    void insertAtCaret();
    void literalIsAscii();

private:
    QWebEngineView *m_view = nullptr;
};

void TestPageScripts::initTestCase()
{
    m_view = new QWebEngineView;
    m_view->resize(800, 600);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void TestPageScripts::cleanupTestCase()
{
    delete m_view;
}

void TestPageScripts::setMessageField_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("receiver"); // id of the control that gets the text, empty for none

    const QString post = QStringLiteral("<form><input type=hidden id=t value=1><input id=subject>"
                                        "<textarea id=message></textarea><input type=submit id=go value=Post></form>");
    QTest::newRow("text area at the found position") << post << 0 << 2 << true << "message";
    QTest::newRow("select list before the text area")
        << "<form><input id=subject><select id=icon><option>a</option></select><textarea id=message></textarea>"
           "</form>"
        << 0 << 1 << true << "message";
    QTest::newRow("input that mentions a text area")
        << "<form><input id=subject><input type=hidden id=textarea_mode value=1><textarea id=message></textarea>"
           "</form>"
        << 0 << 1 << true << "message";
    QTest::newRow("second text area named") << "<form><textarea id=first></textarea><textarea id=second></textarea>"
                                               "</form>"
                                            << 0 << 1 << true << "second";
    QTest::newRow("position past the controls") << post << 0 << 9 << true << "message";
    QTest::newRow("form without a text area") << "<form><input id=user><input id=pw></form>" << 0 << 1 << false << "";
    QTest::newRow("no such form") << post << 3 << 0 << false << "";
    QTest::newRow("text area of another form only")
        << "<form><input id=q></form><form><textarea id=message></textarea></form>" << 0 << 0 << false << "";

    // A hidden text area takes the text unless a code editor's own input, kept out of sight inside
    // what the editor draws, stands beside it.
    const QString hidden = QStringLiteral("<form><input id=subject><div><textarea id=message style=\"display: none\">"
                                          "</textarea></div>");
    QTest::newRow("hidden text area, another hidden one beside it")
        << hidden + "<textarea id=sig style=\"display: none\"></textarea></form>" << 0 << 1 << true << "message";
    QTest::newRow("hidden text area, a visible one beside it")
        << hidden + "<div><textarea id=notes></textarea></div></form>" << 0 << 1 << true << "message";
    QTest::newRow("hidden text area, a code editor beside it")
        << hidden + "<div><div style=\"overflow: hidden; height: 0\"><textarea id=input></textarea></div>"
                    "<pre>drawn</pre></div></form>"
        << 0 << 1 << false << "";

    // The scan found no text area: the first form whose elements hold one gets the text.
    const QString builtEmpty = QStringLiteral("<form><input id=q></form><table><form><tr><td><input id=subject>"
                                              "<textarea id=message></textarea><textarea id=sig></textarea>"
                                              "</td></tr></form></table><form><textarea id=other></textarea></form>");
    QTest::newRow("none found: form built empty") << builtEmpty << -1 << -1 << true << "message";
    QTest::newRow("none found: field scan only") << builtEmpty << 0 << -1 << true << "message";
    QTest::newRow("none found, no form owns a text area")
        << "<form><input id=q></form><textarea id=loose></textarea>" << -1 << -1 << false << "";
}

void TestPageScripts::setMessageField()
{
    QFETCH(QString, body);
    QFETCH(int, form);
    QFETCH(int, field);
    QFETCH(bool, ok);
    QFETCH(QString, receiver);

    QVERIFY(loadHtml(m_view, QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>")));
    const QString before = runScript(m_view->page(), controlValues).toString();
    const QString text = QStringLiteral("Hello forum");
    QCOMPARE(filledField(m_view->page(), form, field, text), ok);

    // Only the receiver changed, and only to the text.
    QStringList expected = before.split(QLatin1Char('\n'));
    for (QString &line : expected) {
        if (!receiver.isEmpty() && line.startsWith(receiver + QLatin1Char('=')))
            line = receiver + QLatin1Char('=') + text;
    }
    QCOMPARE(runScript(m_view->page(), controlValues).toString(), expected.join(QLatin1Char('\n')));
}

void TestPageScripts::setMessageFieldEvents()
{
    // A page that keeps its own copy of the message, as editors do, learns of the new value.
    QVERIFY(
        loadHtml(m_view, QStringLiteral("<html><body><form><textarea id=message></textarea></form><script>"
                                        "var m = document.getElementById('message'); var copy = document.body;"
                                        "m.addEventListener('input', function () { copy.dataset.input = m.value; });"
                                        "m.addEventListener('change', function () { copy.dataset.change = m.value; });"
                                        "</script></body></html>")));
    QVERIFY(filledField(m_view->page(), 0, 0, QStringLiteral("typed")));
    QCOMPARE(runScript(m_view->page(), QStringLiteral("document.body.dataset.input")).toString(),
             QStringLiteral("typed"));
    QCOMPARE(runScript(m_view->page(), QStringLiteral("document.body.dataset.change")).toString(),
             QStringLiteral("typed"));
}

void TestPageScripts::userSurface_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("after");    // run in the page once it has loaded and been noted
    QTest::addColumn<QString>("receiver"); // id of the control or editing host that gets the text; empty: none

    const QString quickReply = QStringLiteral("<form id=quick><input id=title><textarea id=reply></textarea></form>");
    const QString opener = QStringLiteral("var c = document.createElement('div'); c.innerHTML = "
                                          "'<input id=ctitle><textarea id=composer></textarea>';"
                                          "document.body.appendChild(c);");
    auto focus = [](const char *id) { return QStringLiteral("document.getElementById('%1').focus();").arg(id); };

    QTest::newRow("focused text area outside any form")
        << quickReply + "<textarea id=notes></textarea>" << focus("notes") << "notes";
    QTest::newRow("focused text area of a later form")
        << quickReply + "<form><textarea id=second></textarea></form>" << focus("second") << "second";
    QTest::newRow("focused editable element")
        << quickReply + "<div id=box contenteditable>old</div>" << focus("box") << "box";
    QTest::newRow("focus in a frame's text area")
        << quickReply + "<iframe id=frame srcdoc=\"<textarea id=inner></textarea>\"></iframe>"
        << "var f = document.getElementById('frame'); f.focus(); f.contentDocument.getElementById('inner').focus();"
        << "inner";
    QTest::newRow("focused one-line field") << quickReply << focus("title") << "";
    QTest::newRow("focused read-only text area")
        << quickReply + "<textarea id=code readonly></textarea>" << focus("code") << "";
    QTest::newRow("composer opened, its title focused") << quickReply << opener + focus("ctitle") << "composer";
    QTest::newRow("composer shown that was hidden")
        << quickReply + "<div id=panel style=\"display: none\"><textarea id=composer></textarea></div>"
        << "document.getElementById('panel').style.display = '';"
        << "composer";
    QTest::newRow("newest of two composers")
        << quickReply << opener + QString(opener).replace("composer", "newer") << "newer";
    QTest::newRow("editor opened outside any form")
        << quickReply
        << "var e = document.createElement('div'); e.id = 'editor'; e.contentEditable = 'true';"
           "document.body.appendChild(e);"
        << "editor";
    QTest::newRow("text area outside a form since the load") << quickReply + "<textarea id=share></textarea>"
                                                             << ""
                                                             << "";
    QTest::newRow("composer opened, then closed") << quickReply << opener + "c.style.display = 'none';"
                                                  << "";
}

void TestPageScripts::userSurface()
{
    QFETCH(QString, body);
    QFETCH(QString, after);
    QFETCH(QString, receiver);

    QVERIFY(loadHtml(m_view, QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>")));
    runScript(m_view->page(), noteLoadedSurfacesScript());
    if (!after.isEmpty())
        runScript(m_view->page(), after, QWebEngineScript::MainWorld);
    const InsertReport report =
        parseInsertReport(runScript(m_view->page(), fillUserSurfaceScript(QStringLiteral("Hi"))));

    // The receiver, wherever it is, and nothing else.
    const QString holders = QStringLiteral(
        "(function () { var found = [];"
        " var look = function (doc) { doc.querySelectorAll('textarea, [contenteditable]').forEach(function (e) {"
        "   if (e.value === 'Hi' || (e.isContentEditable && getSelection().toString() === e.textContent)) "
        "found.push(e.id); });"
        "  doc.querySelectorAll('iframe').forEach(function (f) { look(f.contentDocument); }); };"
        " look(document); return found.join(','); })()");
    QCOMPARE(runScript(m_view->page(), holders).toString(), receiver);
    QCOMPARE(int(report.road), receiver.isEmpty() ? int(InsertReport::None)
                               : receiver == QLatin1String("box") || receiver == QLatin1String("editor")
                                   ? int(InsertReport::Editor)
                                   : int(InsertReport::Field));
}

void TestPageScripts::editorAsks_data()
{
    QTest::addColumn<QString>("question"); // how the editor's question behaves
    QTest::addColumn<QString>("shows");    // what the editor shows at the end
    QTest::addColumn<bool>("open");        // whether the question is still open

    QTest::newRow("answered with its focused button") << "focused"
                                                      << "Hi link" << false;
    QTest::newRow("closed with Escape, typed in") << "escape"
                                                  << "Hi link" << false;
    QTest::newRow("will not close") << "stays"
                                    << "Old draft" << true;
}

void TestPageScripts::editorAsks()
{
    QFETCH(QString, question);
    QFETCH(QString, shows);
    QFETCH(bool, open);

    // An editor that takes a paste of HTML only once the user says how, in a question of its own.
    QVERIFY(
        loadHtml(m_view, QStringLiteral("<html><body><form><textarea id=message style=\"display: none\"></textarea>"
                                        "<div id=box contenteditable>Old draft</div></form><script>"
                                        "var behaviour = '%1', box = document.getElementById('box');"
                                        "box.addEventListener('paste', function (e) {"
                                        " var html = e.clipboardData.getData('text/html'); if (!html) return;"
                                        " e.preventDefault();"
                                        " var ask = document.createElement('div'); ask.id = 'ask';"
                                        " if (behaviour !== 'focused') ask.setAttribute('role', 'dialog');"
                                        " ask.innerHTML = '<p>Keep as HTML?</p><button id=keep>Keep</button>';"
                                        " document.body.appendChild(ask);"
                                        " document.getElementById('keep').onclick = function () {"
                                        "  ask.remove(); box.innerHTML = html; };"
                                        " if (behaviour === 'focused') document.getElementById('keep').focus();"
                                        " if (behaviour === 'escape') window.addEventListener('keydown', function (k) {"
                                        "  if (k.key === 'Escape') ask.remove(); });"
                                        "});</script></body></html>")
                             .arg(question)));
    auto read = [&](const QString &script) { return parseInsertReport(runScript(m_view->page(), script)); };
    QCOMPARE(int(read(fillMessageBoxScript(0, 0, QStringLiteral("Hi"))).road), int(InsertReport::Editor));
    const QString html = QStringLiteral("Hi <a href=\"http://example.com/\">link</a>");
    const InsertReport pasted = read(pasteIntoSurfaceScript(QStringLiteral("Hi link"), html));
    QVERIFY(pasted.asked);
    QCOMPARE(pasted.text, QStringLiteral("Old draft"));

    const InsertReport answered = read(answerQuestionScript(QStringLiteral("Hi link"), html));
    QCOMPARE(answered.text.simplified(), shows);
    QCOMPARE(answered.asked, open);
    QCOMPARE(runScript(m_view->page(), QStringLiteral("!!document.getElementById('ask')")).toBool(), open);
    if (!open) // the link is a link
        QCOMPARE(runScript(m_view->page(), QStringLiteral("document.querySelector('#box a').href")).toString(),
                 QStringLiteral("http://example.com/"));
}

void TestPageScripts::hostileTexts_data()
{
    QTest::addColumn<QString>("text");
    for (int i = 0; i < ::hostileTexts.size(); ++i)
        QTest::addRow("text %d", i) << ::hostileTexts.at(i);
}

void TestPageScripts::hostileTexts()
{
    QFETCH(QString, text);

    const QString html = QStringLiteral("<html><head><title>forum</title></head><body><form><input id=subject>"
                                        "<textarea id=message></textarea></form></body></html>");

    // Into the message box: arrives unchanged and runs nothing.
    QVERIFY(loadHtml(m_view, html));
    QVERIFY(filledField(m_view->page(), 0, 1, text));
    const QString same =
        QStringLiteral("document.getElementById('message').value === ") + scriptStringLiteral(asTextAreaValue(text));
    QVERIFY(runScript(m_view->page(), same).toBool());
    QCOMPARE(runScript(m_view->page(), QStringLiteral("document.title")).toString(), QStringLiteral("forum"));

    // Pasted into a one-line field: each line break becomes a blank there, as with a user's paste.
    QVERIFY(loadHtml(m_view, html));
    runScript(m_view->page(), QStringLiteral("document.getElementById('subject').focus()"),
              QWebEngineScript::MainWorld);
    QVERIFY(runScript(m_view->page(), insertAtCaretScript(text)).toBool());
    const QString oneLine = asTextAreaValue(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString pasted =
        QStringLiteral("document.getElementById('subject').value === ") + scriptStringLiteral(oneLine);
    QVERIFY(runScript(m_view->page(), pasted).toBool());
    QCOMPARE(runScript(m_view->page(), QStringLiteral("document.title")).toString(), QStringLiteral("forum"));
}

void TestPageScripts::insertAtCaret_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("focus"); // run in the page before pasting
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("readBack"); // what the page shows afterwards
    QTest::addColumn<QString>("expected");

    const QString value = QStringLiteral("document.getElementById('f').value");
    QTest::newRow("empty text field") << "<input id=f>"
                                      << "document.getElementById('f').focus()" << true << value << "PASTE";
    QTest::newRow("at the caret") << "<input id=f value='Hello World'>"
                                  << "var f = document.getElementById('f'); f.focus(); f.setSelectionRange(6, 6)"
                                  << true << value << "Hello PASTEWorld";
    QTest::newRow("over the selection") << "<input id=f value='Hello World'>"
                                        << "var f = document.getElementById('f'); f.focus(); f.setSelectionRange(0, 5)"
                                        << true << value << "PASTE World";
    QTest::newRow("password field") << "<input type=password id=f>"
                                    << "document.getElementById('f').focus()" << true << value << "PASTE";
    QTest::newRow("text area") << "<textarea id=f>ab</textarea>"
                               << "var f = document.getElementById('f'); f.focus(); f.setSelectionRange(1, 1)" << true
                               << value << "aPASTEb";
    QTest::newRow("field in a same-origin frame")
        << "<iframe id=frame srcdoc=\"<input id=inner>\"></iframe>"
        << "document.getElementById('frame').contentDocument.getElementById('inner').focus()" << true
        << "document.getElementById('frame').contentDocument.getElementById('inner').value"
        << "PASTE";
    QTest::newRow("editable element") << "<div id=f contenteditable=true>Hi there</div>"
                                      << "var f = document.getElementById('f'); f.focus();"
                                         "var r = document.createRange(); r.selectNodeContents(f); r.collapse(false);"
                                         "getSelection().removeAllRanges(); getSelection().addRange(r)"
                                      << true << "document.getElementById('f').textContent"
                                      << "Hi therePASTE";
    QTest::newRow("nothing focused") << "<input id=f value=x>"
                                     << "" << false << value << "x";
    QTest::newRow("check box") << "<input type=checkbox id=f>"
                               << "document.getElementById('f').focus()" << false << value << "on";
    QTest::newRow("read-only field") << "<input id=f value=x readonly>"
                                     << "document.getElementById('f').focus()" << false << value << "x";
}

void TestPageScripts::insertAtCaret()
{
    QFETCH(QString, body);
    QFETCH(QString, focus);
    QFETCH(bool, ok);
    QFETCH(QString, readBack);
    QFETCH(QString, expected);

    QVERIFY(loadHtml(m_view, QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>")));
    if (!focus.isEmpty())
        runScript(m_view->page(), focus, QWebEngineScript::MainWorld);
    QCOMPARE(runScript(m_view->page(), insertAtCaretScript(QStringLiteral("PASTE"))).toBool(), ok);
    QCOMPARE(runScript(m_view->page(), readBack).toString(), expected);
}

void TestPageScripts::literalIsAscii()
{
    for (const QString &text : ::hostileTexts) {
        const QString literal = scriptStringLiteral(text);
        for (const QChar c : literal)
            QVERIFY2(c.unicode() >= 0x20 && c.unicode() < 0x7f, qPrintable(literal));
        QVERIFY(!literal.contains(QLatin1String("</")));
    }
}

THREADLOOM_BROWSER_TEST(TestPageScripts)
#include "tst_pagescripts.moc"
