#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "browser/postcheckrunner.h"
#include "browsertest.h"
#include "browsertestmain.h"
#include "classicforum.h"
#include "compose/messageeditorpanel.h"
#include "eventwait.h"
#include "fakeforum.h"
#include "recordingmessageboxes.h"
#include "testcontext.h"
#include "testenvironment.h"
#include "ui/editortext.h"
#include "watch/postspanel.h"
#include "watch/sizerecorder.h"
#include "watch/watchcontroller.h"
#include "widgettexts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

// The post check on pages that change without loading, and on the pages a watched row leads to,
// through the main window against forums on loopback.
class TestPostCheckRoads : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void quickReplyEndsAsOneWatchedRow();
    void openedRowIsMeasuredAgain();
    void pushedAddressIsANewPage();

private:
    QVariant page(const QString &script)
    {
        return runScript(m_form->browserPanel()->view->page(), script, QWebEngineScript::MainWorld);
    }
    bool logIn(ClassicForum &forum, int thread);
    bool autoInsert(const QString &format, const QString &message);
    QStringList watchedRows() const { return itemTexts(m_form->postsPanel()->postList); }
    // The boxes the run has shown, as "title|text".
    const QStringList &boxes() const { return m_run->boxes().messages; }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<TestContext> m_run;
    std::unique_ptr<MainWindow> m_form;
};

void TestPostCheckRoads::init()
{
    m_env = std::make_unique<TestEnvironment>();
    // A visitor no forum knows yet, with the settings of a new user.
    m_run = std::make_unique<TestContext>(*m_env);
    m_form = std::make_unique<MainWindow>(m_run->context());
    QSignalSpy started(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    m_form->load();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(started.wait(20000)); // the start page, which the test engine refuses
}

void TestPostCheckRoads::cleanup()
{
    const QStringList shown = boxes();
    m_form.reset();
    m_run.reset();
    m_env.reset();
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char('\n'))));
}

// Follows the thread's log-in link and logs in as alice through the board's form; the board sends
// the browser back to the thread, now with its quick reply.
bool TestPostCheckRoads::logIn(ClassicForum &forum, int thread)
{
    QWebEngineView *view = m_form->browserPanel()->view;
    if (!loadUrl(view, QUrl(forum.threadUrl(thread))))
        return false;
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    page(QStringLiteral("document.querySelector('a.login').click()"));
    if (!waitUntil([&] { return !loaded.isEmpty() && view->url() == QUrl(forum.loginUrl()); }, 20000))
        return false;
    loaded.clear();
    page(QStringLiteral("var f = document.querySelector('#content input[name=password]').form;"
                        "f.username.value = 'alice'; f.password.value = 'secret'; f.submit.click()"));
    return waitUntil(
        [&] {
            return !loaded.isEmpty() && page(QStringLiteral("!!document.getElementById('quick_reply_form')")).toBool();
        },
        20000);
}

bool TestPostCheckRoads::autoInsert(const QString &format, const QString &message)
{
    m_form->editorPanel()->formatList->setCurrentText(format);
    setEditorText(m_form->editorPanel()->messageEditor, message);
    QSignalSpy finished(&m_form->browser(), &BrowserController::autoInsertFinished);
    m_form->editorPanel()->autoInsertButton->click();
    return finished.wait(20000) && finished.first().value(0).toBool();
}

// The message goes out through the thread's quick reply, which adds it to the page without a load;
// the thread is watched once, with the user's own post in its baseline, and the board's parser
// links exactly the addresses the user typed.
void TestPostCheckRoads::quickReplyEndsAsOneWatchedRow()
{
    ClassicForum forum;
    QVERIFY(forum.start());
    const int thread = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPost(thread, QStringLiteral("Count me in"));
    QVERIFY(logIn(forum, thread));

    QVERIFY(autoInsert(QStringLiteral("ubb"),
                       QStringLiteral("Plans at http://example.com/meet, tickets at https://example.org/buy?day=2 "
                                      "or mail alice@mail.example.\r\nBring a friend")));
    QSignalSpy started(m_form->browserPanel()->view, &QWebEngineView::loadStarted);
    QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
    page(QStringLiteral("document.getElementById('quick_reply_submit').click()"));
    WAIT_VERIFY(!recorded.isEmpty(), 20000);

    const int post = forum.lastSubmission().post;
    QVERIFY(post > 0);
    QVERIFY(forum.lastSubmission().quick);
    QVERIFY(started.isEmpty());
    QCOMPARE(watchedRows(), QStringList{forum.threadUrl(thread)});
    QCOMPARE(recorded.first().value(0).toString(), forum.threadUrl(thread));
    QVERIFY(m_form->watchedPosts.at(0).postNumbers.contains(post));
    QCOMPARE(forum.linkTargets(post),
             (QStringList{"http://example.com/meet", "https://example.org/buy?day=2", "mailto:alice@mail.example"}));
    QTest::qWait(3 * PostCheckRunner::pollIntervalMs);
    QCOMPARE(watchedRows().size(), 1);
}

// A reply form whose thread review shows the user's earlier post is no new thread, even while an
// Auto-Insert's check is on; opening a watched row measures it again, whatever message was inserted
// last, and ends that check.
void TestPostCheckRoads::openedRowIsMeasuredAgain()
{
    ClassicForum forum;
    QVERIFY(forum.start());
    const int spring = forum.openThread(QStringLiteral("Spring meeting"));
    const int summer = forum.openThread(QStringLiteral("Summer meeting"));
    forum.addPosts(summer, 20);
    const QString message = QStringLiteral("Join us at http://example.com/meet\r\nBring a friend");
    forum.addPost(summer, QStringLiteral("Join us at [url=http://example.com/meet]http://example.com/meet[/url]"),
                  QStringLiteral("alice")); // on the thread's second page
    const QString row = forum.threadUrl(summer);
    QCOMPARE(m_form->watchedPosts.watch(row), 0);
    QVERIFY(m_form->watchedPosts.recordSize(row, 1234));
    QVERIFY(logIn(forum, spring));
    QVERIFY(autoInsert(QStringLiteral("ubb"), message)); // not sent
    QSignalSpy hits(&m_form->browser(), &BrowserController::postCheckHit);
    auto openReplyForm = [&] {
        QVERIFY(loadUrl(m_form->browserPanel()->view, QUrl(forum.newReplyUrl(summer))));
        QVERIFY(page(QStringLiteral("document.body.textContent.indexOf('Join us at') >= 0")).toBool());
        QTest::qWait(3 * PostCheckRunner::pollIntervalMs);
        QCOMPARE(hits.size(), 0);
        QCOMPARE(watchedRows(), QStringList{row});
    };
    openReplyForm();

    QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
    QSignalSpy loaded(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    m_form->pageTabs()->setCurrentIndex(1);
    QListView *posts = m_form->postsPanel()->postList;
    chooseRow(posts, 0);
    QTest::keyClick(posts, Qt::Key_Return);
    QVERIFY(!m_form->browser().postCheck().isArmed());
    WAIT_VERIFY(!recorded.isEmpty() && !loaded.isEmpty(), 20000);
    QCOMPARE(recorded.first().value(0).toString(), row);
    QVERIFY(m_form->watchedPosts.at(0).size != QLatin1String("1234"));
    openReplyForm();
}

// A single-page forum sends the reply with fetch, shows it and moves to the post's address with
// history.pushState: that address is the page now, for the post check, the address box, "Watch
// This Post" and "Add Current URL".
void TestPostCheckRoads::pushedAddressIsANewPage()
{
    FakeForum forum;
    QVERIFY(forum.start());
    forum.setPage(QStringLiteral("/board"), R"(<html><head><title>Board</title></head><body>
<div id="topic"><div class="post">An older post</div></div>
<form id="reply" action="/submit" method="post"><input type="hidden" name="subject" value="Re: Board">
<textarea id="message" name="message"></textarea><button id="send">Reply</button></form>
<script>
document.getElementById('reply').addEventListener('submit', function (event) {
  event.preventDefault();
  var box = document.getElementById('message');
  fetch('/submit', {method: 'POST', body: new URLSearchParams(new FormData(event.target))}).then(function (answer) {
    return answer.text().then(function (text) {
      var post = document.createElement('div');
      post.className = 'post';
      post.innerHTML = new DOMParser().parseFromString(text, 'text/html').body.innerHTML;
      document.getElementById('topic').appendChild(post);
      box.value = '';
      var address = new URL(answer.url);
      history.pushState(null, '', address.pathname + address.search);
    });
  });
});
</script></body></html>)");
    QVERIFY(loadUrl(m_form->browserPanel()->view, QUrl(forum.url(QStringLiteral("/board")))));
    QVERIFY(autoInsert(QStringLiteral("text"), QStringLiteral("Hello single-page friends\r\nbye")));

    QSignalSpy started(m_form->browserPanel()->view, &QWebEngineView::loadStarted);
    QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
    page(QStringLiteral("document.getElementById('send').click()"));
    // The row comes once the page's head is read and its size measured.
    QVERIFY(recorded.wait(20000));
    const QString pushed = forum.url(QStringLiteral("/thread?id=1"));
    QVERIFY(started.isEmpty());
    QCOMPARE(forum.posts().size(), 1);
    QCOMPARE(watchedRows(), QStringList{pushed});
    QCOMPARE(m_form->browserPanel()->addressBox->text(), pushed);

    m_form->postsPanel()->watchButton->click();
    QVERIFY(recorded.wait(20000));
    QCOMPARE(watchedRows(), QStringList{pushed});
    m_form->forumsPanel()->addForumButton->click();
    QCOMPARE(itemTexts(m_form->forumsPanel()->forumList), QStringList{pushed});
}

THREADLOOM_BROWSER_TEST(TestPostCheckRoads)
#include "tst_postcheckroads.moc"
