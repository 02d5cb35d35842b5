#include "browser/browserprofile.h"
#include "browser/pagechangescripts.h"
#include "browsertest.h"
#include "browsertestmain.h"
#include "loopbackguard.h"

#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// What the post check's observer notes of a page that changes: the page's own scripts change it in
// their world, the observer answers in the program's.
class TestPageChangeScripts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void notesChanges_data();
    void notesChanges();
};

void TestPageChangeScripts::notesChanges_data()
{
    QTest::addColumn<QString>("change"); // run by the page after the observer is in
    QTest::addColumn<int>("changed");    // what a poll counts
    QTest::addColumn<QString>("markup"); // what a take gives
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("nothing") << "" << 0 << "" << QStringList();
    QTest::newRow("a post appended, with the text around it")
        << "document.getElementById('posts').insertAdjacentHTML('beforeend', '\\n<div class=\"post\"><b>Hi</b> "
           "there</div>\\n')"
        << 1 << "<div class=\"post\"><b>Hi</b> there</div>" << QStringList{"draft"};
    QTest::newRow("a post, then its text: noted twice, taken once")
        << "var p = document.createElement('p'); document.getElementById('posts').appendChild(p);"
           "p.appendChild(document.createTextNode('A & B'))"
        << 2 << "<p>A &amp; B</p>" << QStringList{"draft"};
    QTest::newRow("a text changed in place, escaped")
        << "document.getElementById('first').firstChild.data = 'x < y'" << 1 << "x &lt; y" << QStringList{"draft"};
    QTest::newRow("added and taken away again")
        << "var d = document.createElement('div'); document.body.appendChild(d); d.remove()" << 0 << ""
        << QStringList();
    QTest::newRow("typing in an editor")
        << "document.getElementById('editor').appendChild(document.createTextNode('typed'))" << 0 << ""
        << QStringList();
    QTest::newRow("a text area's own text")
        << "document.getElementById('box').textContent = 'typed'" << 0 << "" << QStringList();
}

void TestPageChangeScripts::notesChanges()
{
    QFETCH(QString, change);
    const BrowserProfile profile(QString(), loopbackGuard());
    QWebEngineView view;
    view.setPage(new QWebEnginePage(profile.profile(), &view));
    view.resize(800, 600);
    view.show();
    QVERIFY(loadHtml(&view, QStringLiteral("<html><body><div id=posts><p id=first>Older post</p></div>"
                                           "<div id=editor contenteditable=true>Hello</div>"
                                           "<form><textarea id=box>draft</textarea></form></body></html>")));
    const QVariantMap started = runScript(view.page(), startWatchingPageScript()).toMap();
    QCOMPARE(started.value("href").toString(), QStringLiteral("http://127.0.0.1/"));
    if (!change.isEmpty())
        runScript(view.page(), change, QWebEngineScript::MainWorld);

    const QVariantMap polled = runScript(view.page(), pollPageChangesScript()).toMap();
    QTEST(polled.value("changed").toInt(), "changed");
    // The editor shows its text too, once something changed.
    QStringList boxes = polled.value("boxes").toStringList();
    boxes.removeAll(QStringLiteral("Hello"));
    QTEST(boxes, "boxes");
    QTEST(runScript(view.page(), takePageChangesScript()).toMap().value("markup").toString(), "markup");
    QCOMPARE(runScript(view.page(), pollPageChangesScript()).toMap().value("changed").toInt(), 0);

    runScript(view.page(), stopWatchingPageScript());
    QVERIFY(!runScript(view.page(), pollPageChangesScript()).isValid());
}

THREADLOOM_BROWSER_TEST(TestPageChangeScripts)
#include "tst_pagechangescripts.moc"
