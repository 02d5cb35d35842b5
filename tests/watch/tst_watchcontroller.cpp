#include "core/datafiles.h"
#include "eventwait.h"
#include "filebytes.h"
#include "recordingmessageboxes.h"
#include "scriptedhttpserver.h"
#include "testenvironment.h"
#include "watch/browsercookiejar.h"
#include "watch/newreplylist.h"
#include "watch/postspanel.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"
#include "watch/threadbrowser.h"
#include "watch/watchcontroller.h"
#include "watch/watchedpostlist.h"
#include "widgettexts.h"

#include <QAction>
#include <QHash>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

#include <memory>

namespace {

QByteArray threadPage(int replies)
{
    QByteArray html = "<html><head><title>Thread</title></head><body><h1>A thread</h1>";
    for (int i = 0; i < replies; ++i)
        html += "<div class=\"post\">Reply " + QByteArray::number(i) + ": " + QByteArray(600, 'r') + "</div>";
    return html + "</body></html>";
}

// A browser without a page engine: it shows whatever address the test gives it, and notes each
// thread it is asked to open.
class FakeThreadBrowser : public ThreadBrowser
{
public:
    QUrl currentUrl() const override { return shown; }
    void openThread(const QString &url) override
    {
        opened << url;
        shown = QUrl(url);
    }
    void readPageHead(PageHead done) override { done(shown.toString(), head); }

    QUrl shown;
    QByteArray head; // of the page shown
    QStringList opened;
};

} // namespace

// The "Your Posts" page on its own: its panel, the watched posts and the reply check, with a
// fake in place of the browser.
class TestWatchController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void tabsShowTheirControls_data();
    void tabsShowTheirControls();
    void watchAndRemoveThroughButtons();
    void failedMeasurementShowsBox();
    void deadThreadIsMarkedAndTheCheckGoesOn();
    void rowClicksOpenPosts();
    void keysChooseAndOpenPosts_data();
    void keysChooseAndOpenPosts();
    void threadWatchedAsItsPageSaysAndOpenedAtItsNewPost();

private:
    // What start-up does for the page: the data files, the watched posts read, the page shown.
    void startPage();
    QString panelText(StatusPanel panel) const { return m_status.value(panel); }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<WatchedPostList> m_posts;
    std::unique_ptr<PostsPanel> m_panel;
    std::unique_ptr<WatchController> m_watch;
    FakeThreadBrowser m_browser;
    BrowserCookieJar m_cookies;
    QHash<StatusPanel, QString> m_status;
    RecordingMessageBoxes m_boxes;
};

void TestWatchController::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_server = std::make_unique<ScriptedHttpServer>();
    m_server->setDefaultScript(ScriptedHttpServer::page("<html><body>nothing</body></html>"));
    QVERIFY(m_server->start());
    m_browser = FakeThreadBrowser();
    m_status.clear();
    m_boxes.clear();
    m_boxes.answerYes = true;
}

void TestWatchController::startPage()
{
    QVERIFY(ensureDataFiles(m_env->folder()).isEmpty());
    m_posts = std::make_unique<WatchedPostList>(m_env->folder());
    QCOMPARE(m_posts->load(), QString());
    m_panel = std::make_unique<PostsPanel>(nullptr);
    m_watch = std::make_unique<WatchController>(*m_panel, *m_posts, m_browser, m_cookies, m_env->settings(), m_boxes);
    connect(m_watch.get(), &WatchController::statusText, this,
            [this](StatusPanel panel, const QString &text) { m_status[panel] = text; });
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void TestWatchController::cleanup()
{
    // The controller goes before the panel and the list it wires.
    m_watch.reset();
    m_panel.reset();
    m_posts.reset();
    m_server.reset();
    m_env.reset();
}

void TestWatchController::tabsShowTheirControls_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("allShown");

    QTest::newRow("click New Replies") << "click" << 1 << false;
    QTest::newRow("click back to Show All") << "click-back" << 0 << true;
    QTest::newRow("menu selects New Replies") << "menu" << 1 << false;
    QTest::newRow("menu selects the tab already shown") << "menu" << 0 << true;
}

void TestWatchController::tabsShowTheirControls()
{
    QFETCH(QString, how);
    QFETCH(int, tab);
    QFETCH(bool, allShown);
    startPage();
    if (how == QLatin1String("click-back"))
        m_panel->postsTabs->setCurrentIndex(1);
    if (how.startsWith(QLatin1String("click")))
        m_panel->postsTabs->setCurrentIndex(tab);
    else
        m_watch->selectPostsTab(PostsView(tab));

    QCOMPARE(m_panel->postsTabs->currentIndex(), tab);
    QCOMPARE(m_panel->postList->isVisible(), allShown);
    QCOMPARE(m_panel->watchButton->isVisible(), allShown);
    QCOMPARE(m_panel->removeWatchButton->isVisible(), allShown);
    QCOMPARE(m_panel->checkRepliesButton->isVisible(), !allShown);
    QCOMPARE(m_panel->newRepliesList->isVisible(), !allShown);
}

void TestWatchController::watchAndRemoveThroughButtons()
{
    m_server->setScript("/thread?t=1", ScriptedHttpServer::page(threadPage(2)));
    startPage();
    const QString url = m_server->url("/thread?t=1");
    m_browser.shown = QUrl(url);

    SizeRecorder &recorder = m_watch->sizeRecorder();
    QSignalSpy recorded(&recorder, &SizeRecorder::recorded);
    m_panel->watchButton->click();
    // On disk at once, with its size line, before any measurement.
    QCOMPARE(itemTexts(m_panel->postList), QStringList{url});
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), url.toUtf8() + "\r\n\r\n");
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray("0\r\n\r\n"));
    QVERIFY(recorded.wait(10000));
    const QByteArray size = QByteArray::number(threadPage(2).size());
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), size + "\r\n\r\n");
    QCOMPARE(panelText(StatusPanel::Activity), QStringLiteral("Response completed"));

    // Watching it again re-measures it and keeps one row.
    m_server->setScript("/thread?t=1", ScriptedHttpServer::page(threadPage(3)));
    m_panel->watchButton->click();
    QVERIFY(recorded.wait(10000));
    QCOMPARE(itemTexts(m_panel->postList), QStringList{url});
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray::number(threadPage(3).size()) + "\r\n\r\n");

    // "Remove Watch" with nothing selected does nothing; with the row selected removes it.
    m_panel->postList->clearSelection();
    m_panel->removeWatchButton->click();
    QCOMPARE(m_posts->count(), 1);
    QVERIFY(m_boxes.questions.isEmpty());
    chooseRow(m_panel->postList, 0);
    m_boxes.answerYes = false;
    m_panel->removeWatchButton->click();
    QCOMPARE(m_boxes.questions, QStringList{"Threadloom|Stop watching this post?\n\n" + url});
    QCOMPARE(m_posts->count(), 1);
    m_boxes.answerYes = true;
    m_panel->removeWatchButton->click();
    QCOMPARE(m_posts->count(), 0);
    QCOMPARE(rowCount(m_panel->postList), 0);
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), QByteArray());
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray());
    QVERIFY(m_boxes.messages.isEmpty());
}

void TestWatchController::failedMeasurementShowsBox()
{
    startPage();
    m_browser.shown = QUrl(m_server->url("/gone"));
    m_server->close(); // the page is shown, but its server no longer answers
    QSignalSpy failed(&m_watch->sizeRecorder(), &SizeRecorder::failed);
    m_panel->watchButton->click();
    QVERIFY(failed.wait(10000));
    QCOMPARE(m_boxes.messages.size(), 1);
    QVERIFY2(m_boxes.messages.first().startsWith(QStringLiteral("Error|Error occurred.\r\nError #: ")),
             qPrintable(m_boxes.messages.first()));
    // Still watched, with the size line a new post starts with.
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray("0\r\n\r\n"));
}

void TestWatchController::deadThreadIsMarkedAndTheCheckGoesOn()
{
    const QString dead = QStringLiteral("http://127.0.0.1:1/refused");
    const QString live = m_server->url("/live");
    m_server->setDefaultScript(ScriptedHttpServer::page(threadPage(2))); // grown well past 10 bytes
    QVERIFY(writeFileBytes(m_env->filePath("posts.txt"), (dead + "\r\n" + live + "\r\n").toUtf8()));
    QVERIFY(writeFileBytes(m_env->filePath("sizes.txt"), "100\r\n10\r\n"));
    startPage();
    QSignalSpy finished(&m_watch->replyCheck(), &ReplyCheckRun::finished);
    QSignalSpy started(&m_watch->replyCheck(), &ReplyCheckRun::cleared);
    QPushButton *check = m_panel->checkRepliesButton;
    check->click();
    QCOMPARE(check->text(), QStringLiteral("Stop checking"));
    m_watch->checkRepliesAction()->trigger(); // a check under way is not started again
    QCOMPARE(started.count(), 1);
    QVERIFY(finished.wait(20000));
    QCOMPARE(panelText(StatusPanel::State), QStringLiteral("finished - 1 new replies found"));
    QCOMPARE(itemTexts(m_panel->newRepliesList), QStringList{live});
    QVERIFY(
        rowIndex(m_panel->postList, 0).data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("Not checked: ")));
    QVERIFY(rowIndex(m_panel->postList, 1).data(Qt::ToolTipRole).toString().isEmpty());
    QCOMPARE(check->text(), QStringLiteral("Check for new replies"));
    WAIT_COMPARE(m_boxes.messages.size(), 1, 5000); // one box for the whole run, naming the dead thread
    QVERIFY2(m_boxes.messages.first().contains(dead), qPrintable(m_boxes.messages.first()));
}

void TestWatchController::rowClicksOpenPosts()
{
    const QString a = m_server->url("/a");
    const QString b = m_server->url("/b");
    QVERIFY(writeFileBytes(m_env->filePath("posts.txt"), (a + "\r\n\r\n" + b + "\r\n\r\n").toUtf8()));
    startPage();
    QCOMPARE(itemTexts(m_panel->postList), (QStringList{a, b}));

    const QRect second = m_panel->postList->visualRect(rowIndex(m_panel->postList, 1));
    QTest::mouseClick(m_panel->postList->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(panelText(StatusPanel::Activity), b);

    // Opening the post shows it and measures it again: what the user sees is its new baseline,
    // in its own row.
    QSignalSpy recorded(&m_watch->sizeRecorder(), &SizeRecorder::recorded);
    QTest::mouseDClick(m_panel->postList->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(m_browser.opened, QStringList{b});
    QVERIFY(recorded.wait(20000));
    QCOMPARE(recorded.first().value(0).toString(), b);
    QCOMPARE(itemTexts(m_panel->postList), (QStringList{a, b}));
    const QByteArray pageSize = QByteArray::number(QByteArray("<html><body>nothing</body></html>").size());
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), "0\r\n\r\n" + pageSize + "\r\n\r\n");
}

void TestWatchController::keysChooseAndOpenPosts_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("lstPosts") << 0;
    QTest::newRow("lstNew") << 1;
}

// Moving with the keys shows the post in panel 2; Enter opens it like a double-click.
void TestWatchController::keysChooseAndOpenPosts()
{
    QFETCH(int, tab);
    const QString a = m_server->url("/a");
    const QString b = m_server->url("/b");
    QVERIFY(writeFileBytes(m_env->filePath("posts.txt"), (a + "\r\n\r\n" + b + "\r\n\r\n").toUtf8()));
    startPage();
    m_watch->selectPostsTab(PostsView(tab));
    QListView *list = tab == 0 ? m_panel->postList : m_panel->newRepliesList;
    if (tab == 1)
        m_watch->newReplies().setStringList({a, b});
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(rowIndex(list, 0)).center());
    QCOMPARE(panelText(StatusPanel::Activity), a);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(panelText(StatusPanel::Activity), b);

    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(m_browser.opened, QStringList{b});
}

// The page shown points at a post and names its thread in its head: the thread is watched, and
// once it has a new post, its row opens there.
void TestWatchController::threadWatchedAsItsPageSaysAndOpenedAtItsNewPost()
{
    auto posts = [](int count) {
        QByteArray html = "<html><body>";
        for (int post = 1; post <= count; ++post)
            html += "<div id=\"p" + QByteArray::number(post) + "\" class=\"post\">Post</div>";
        return html + "</body></html>";
    };
    m_server->setScript("/viewtopic.php?t=5", ScriptedHttpServer::page(posts(2)));
    startPage();
    const QString thread = m_server->url("/viewtopic.php?t=5");
    m_browser.shown = QUrl(m_server->url("/viewtopic.php?p=2#p2"));
    m_browser.head = "<link rel=\"canonical\" href=\"viewtopic.php?t=5\">";
    QSignalSpy recorded(&m_watch->sizeRecorder(), &SizeRecorder::recorded);
    m_panel->watchButton->click();
    QVERIFY(recorded.wait(10000));
    QCOMPARE(itemTexts(m_panel->postList), QStringList{thread});

    m_server->setScript("/viewtopic.php?t=5", ScriptedHttpServer::page(posts(4)));
    m_watch->selectPostsTab(PostsView::NewReplies);
    QSignalSpy finished(&m_watch->replyCheck(), &ReplyCheckRun::finished);
    m_panel->checkRepliesButton->click();
    QVERIFY(finished.wait(20000));
    QCOMPARE(itemTexts(m_panel->newRepliesList), QStringList{thread});
    chooseRow(m_panel->newRepliesList, 0);
    QTest::keyClick(m_panel->newRepliesList, Qt::Key_Return);
    QCOMPARE(m_browser.opened, QStringList{thread + "#p3"});
}

QTEST_MAIN(TestWatchController)
#include "tst_watchcontroller.moc"
