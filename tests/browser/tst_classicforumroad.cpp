#include "browser/browserprofile.h"
#include "browser/pagescripts.h"
#include "browsertest.h"
#include "browsertestmain.h"
#include "classicforum.h"
#include "eventwait.h"
#include "loopbackguard.h"

#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// The classic board in the real engine: logged in through its form, a quick reply goes out with
// its own script and lands on the page without a load.
class TestClassicForumRoad : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void quickReplyWithoutALoad();
};

void TestClassicForumRoad::quickReplyWithoutALoad()
{
    ClassicForum forum;
    QVERIFY(forum.start());
    const int thread = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPost(thread, QStringLiteral("Count me in"));
    const BrowserProfile profile(QString(), loopbackGuard());
    QWebEngineView view;
    view.setPage(new QWebEnginePage(profile.profile(), &view));
    view.resize(1000, 800);
    view.show();
    auto page = [&](const QString &script) { return runScript(view.page(), script, QWebEngineScript::MainWorld); };

    // A guest follows the log-in link and is sent back to the thread as a member.
    QVERIFY(loadUrl(&view, QUrl(forum.threadUrl(thread))));
    QVERIFY(!page(QStringLiteral("!!document.getElementById('quick_reply_form')")).toBool());
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    page(QStringLiteral("document.querySelector('a.login').click()"));
    WAIT_VERIFY(!loaded.isEmpty() && view.url() == QUrl(forum.loginUrl()), 20000);
    loaded.clear();
    page(QStringLiteral("var f = document.querySelector('#content input[name=password]').form;"
                        "f.username.value = 'alice'; f.password.value = 'secret'; f.submit.click()"));
    WAIT_VERIFY(!loaded.isEmpty() && page(QStringLiteral("!!document.getElementById('quick_reply_form')")).toBool(),
                20000);
    QCOMPARE(view.url().toString(), forum.threadUrl(thread));

    // The quick reply goes out by script, and its answer is appended in place.
    QSignalSpy started(&view, &QWebEngineView::loadStarted);
    const QString message =
        QStringLiteral("See [url=http://example.com/meet]the plan[/url] or [email]a@b.example[/email]");
    page(QStringLiteral("document.getElementById('message').value = %1;"
                        "document.getElementById('quick_reply_submit').click()")
             .arg(scriptStringLiteral(message)));
    WAIT_VERIFY(forum.lastSubmission().post > 0, 20000);
    const int post = forum.lastSubmission().post;
    WAIT_VERIFY(page(QStringLiteral("!!document.getElementById('post_%1')").arg(post)).toBool(), 20000);
    QVERIFY(started.isEmpty());
    QVERIFY(forum.lastSubmission().quick);
    QCOMPARE(forum.post(post).message, message);
    QCOMPARE(forum.post(post).author, QStringLiteral("alice"));
    QCOMPARE(forum.linkTargets(post), (QStringList{"http://example.com/meet", "mailto:a@b.example"}));
    QCOMPARE(page(QStringLiteral("document.querySelectorAll('#posts .post').length")).toInt(), 3);
    QCOMPARE(page(QStringLiteral("document.getElementById('message').value")).toString(), QString());
}

THREADLOOM_BROWSER_TEST(TestClassicForumRoad)
#include "tst_classicforumroad.moc"
