#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "browser/pagescripts.h"
#include "browsertest.h"
#include "compose/messageeditorpanel.h"
#include "fakeforum.h"
#include "filebytes.h"
#include "scriptedhttpserver.h"
#include "testenvironment.h"
#include "ui/editortext.h"
#include "ui/messagebox.h"
#include "watch/newreplylist.h"
#include "watch/postspanel.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"
#include "watch/watchcontroller.h"
#include "widgettexts.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTabBar>
#include <QWebEngineView>
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

} // namespace

// The "Your Posts" page of the main window.
class TestWatchController : public QObject
{
    Q_OBJECT
public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private Q_SLOTS:
    void initTestCase();
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
    void roadOfAPost();

private:
    bool showPage(const QString &path);
    void startForm();

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<MainWindow> m_form;
    QStringList m_boxes;
    QStringList m_questions;
    bool m_answer = true;
    int m_ends = 0;
};

void TestWatchController::initTestCase()
{
    LoopbackOnly::install();
    setMessageHookForTesting([this](const QString &title, const QString &text) { m_boxes << title + '|' + text; });
    setQuestionHookForTesting([this](const QString &title, const QString &text) {
        m_questions << title + '|' + text;
        return m_answer;
    });
}

void TestWatchController::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_server = std::make_unique<ScriptedHttpServer>();
    m_server->setDefaultScript(ScriptedHttpServer::page("<html><body>nothing</body></html>"));
    QVERIFY(m_server->start());
    m_boxes.clear();
    m_questions.clear();
    m_answer = true;
    m_ends = 0;
}

void TestWatchController::startForm()
{
    m_form = std::make_unique<MainWindow>();
    connect(&m_form->context().lifetime, &ProgramLifetime::ended, this, [this] { ++m_ends; });
    QSignalSpy started(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    m_form->load();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(started.wait(20000)); // the start page is refused by the test engine
    m_form->pageTabs()->setCurrentIndex(1);
    m_boxes.clear();
}

void TestWatchController::cleanup()
{
    m_form.reset();
    m_server.reset();
    m_env.reset();
}

bool TestWatchController::showPage(const QString &path)
{
    return loadUrl(m_form->browserPanel()->view, QUrl(m_server->url(path)));
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
    startForm();
    if (how == QLatin1String("click-back"))
        m_form->postsPanel()->postsTabs->setCurrentIndex(1);
    if (how.startsWith(QLatin1String("click")))
        m_form->postsPanel()->postsTabs->setCurrentIndex(tab);
    else
        m_form->watch().selectPostsTab(PostsView(tab));

    QCOMPARE(m_form->postsPanel()->postsTabs->currentIndex(), tab);
    QCOMPARE(m_form->postsPanel()->postList->isVisible(), allShown);
    QCOMPARE(m_form->postsPanel()->watchButton->isVisible(), allShown);
    QCOMPARE(m_form->postsPanel()->removeWatchButton->isVisible(), allShown);
    QCOMPARE(m_form->postsPanel()->checkRepliesButton->isVisible(), !allShown);
    QCOMPARE(m_form->postsPanel()->newRepliesList->isVisible(), !allShown);
}

void TestWatchController::watchAndRemoveThroughButtons()
{
    m_server->setScript("/thread?t=1", ScriptedHttpServer::page(threadPage(2)));
    startForm();
    QVERIFY(showPage("/thread?t=1"));
    const QString url = m_server->url("/thread?t=1");
    QCOMPARE(m_form->browserPanel()->view->url().toString(), url);

    SizeRecorder &recorder = m_form->watch().sizeRecorder();
    QSignalSpy recorded(&recorder, &SizeRecorder::recorded);
    m_form->postsPanel()->watchButton->click();
    // On disk at once, with its size line, before any measurement.
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), QStringList{url});
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), url.toUtf8() + "\r\n\r\n");
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray("0\r\n\r\n"));
    QVERIFY(recorded.wait(10000));
    const QByteArray size = QByteArray::number(threadPage(2).size());
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), size + "\r\n\r\n");
    QCOMPARE(m_form->panelText(StatusPanel::Activity), QStringLiteral("Response completed"));

    // Watching it again re-measures it and keeps one row.
    m_server->setScript("/thread?t=1", ScriptedHttpServer::page(threadPage(3)));
    m_form->postsPanel()->watchButton->click();
    QVERIFY(recorded.wait(10000));
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), QStringList{url});
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray::number(threadPage(3).size()) + "\r\n\r\n");

    // "Remove Watch" with nothing selected does nothing; with the row selected removes it.
    m_form->postsPanel()->postList->clearSelection();
    m_form->postsPanel()->removeWatchButton->click();
    QCOMPARE(m_form->watchedPosts.count(), 1);
    QVERIFY(m_questions.isEmpty());
    chooseRow(m_form->postsPanel()->postList, 0);
    m_answer = false;
    m_form->postsPanel()->removeWatchButton->click();
    QCOMPARE(m_questions, QStringList{"Threadloom|Stop watching this post?\n\n" + url});
    QCOMPARE(m_form->watchedPosts.count(), 1);
    m_answer = true;
    m_form->postsPanel()->removeWatchButton->click();
    QCOMPARE(m_form->watchedPosts.count(), 0);
    QCOMPARE(rowCount(m_form->postsPanel()->postList), 0);
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), QByteArray());
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray());
    QVERIFY(m_boxes.isEmpty());
}

void TestWatchController::failedMeasurementShowsBox()
{
    startForm();
    QVERIFY(showPage("/gone"));
    m_server->close(); // the page is shown, but its server no longer answers
    QSignalSpy failed(&m_form->watch().sizeRecorder(), &SizeRecorder::failed);
    m_form->postsPanel()->watchButton->click();
    QVERIFY(failed.wait(10000));
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes.first().startsWith(QStringLiteral("Error|Error occurred.\r\nError #: ")),
             qPrintable(m_boxes.first()));
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
    startForm();
    QSignalSpy finished(&m_form->watch().replyCheck(), &ReplyCheckRun::finished);
    QSignalSpy started(&m_form->watch().replyCheck(), &ReplyCheckRun::cleared);
    QPushButton *check = m_form->postsPanel()->checkRepliesButton;
    check->click();
    QCOMPARE(check->text(), QStringLiteral("Stop checking"));
    m_form->findChild<QAction *>("toolsMenu_2")->trigger(); // a check under way is not started again
    QCOMPARE(started.count(), 1);
    QVERIFY(finished.wait(20000));
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("finished - 1 new replies found"));
    QCOMPARE(itemTexts(m_form->postsPanel()->newRepliesList), QStringList{live});
    QVERIFY(rowIndex(m_form->postsPanel()->postList, 0)
                .data(Qt::ToolTipRole)
                .toString()
                .startsWith(QStringLiteral("Not checked: ")));
    QVERIFY(rowIndex(m_form->postsPanel()->postList, 1).data(Qt::ToolTipRole).toString().isEmpty());
    QCOMPARE(check->text(), QStringLiteral("Check for new replies"));
    QTRY_COMPARE(m_boxes.size(), 1); // one box for the whole run, naming the dead thread
    QVERIFY2(m_boxes.first().contains(dead), qPrintable(m_boxes.first()));
}

void TestWatchController::rowClicksOpenPosts()
{
    const QString a = m_server->url("/a");
    const QString b = m_server->url("/b");
    QVERIFY(writeFileBytes(m_env->filePath("posts.txt"), (a + "\r\n\r\n" + b + "\r\n\r\n").toUtf8()));
    startForm();
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), (QStringList{a, b}));

    const QRect second = m_form->postsPanel()->postList->visualRect(rowIndex(m_form->postsPanel()->postList, 1));
    QTest::mouseClick(m_form->postsPanel()->postList->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(m_form->panelText(StatusPanel::Activity), b);

    // Opening the post arms the post check; with nothing inserted in this run every page counts
    // as showing the message, so the post is watched again and its size becomes the baseline.
    QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
    QTest::mouseDClick(m_form->postsPanel()->postList->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(m_form->browser().postCheck().countdown(), 4);
    QVERIFY(recorded.wait(20000));
    QCOMPARE(m_form->browserPanel()->view->url().toString(), b);
    QCOMPARE(recorded.first().value(0).toString(), b);
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), (QStringList{a, b}));
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
    startForm();
    m_form->watch().selectPostsTab(PostsView(tab));
    QListView *list = tab == 0 ? m_form->postsPanel()->postList : m_form->postsPanel()->newRepliesList;
    if (tab == 1)
        m_form->watch().newReplies().setStringList({a, b});
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(rowIndex(list, 0)).center());
    QCOMPARE(m_form->panelText(StatusPanel::Activity), a);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(m_form->panelText(StatusPanel::Activity), b);

    QSignalSpy loaded(m_form->browserPanel()->view, &QWebEngineView::loadFinished);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(m_form->browser().postCheck().countdown(), 4);
    QVERIFY(loaded.wait(20000));
    QCOMPARE(m_form->browserPanel()->view->url().toString(), b);
}

void TestWatchController::roadOfAPost()
{
    FakeForum forum;
    QVERIFY(forum.start());
    startForm();
    auto page = [this](const QString &script) {
        return runScript(m_form->browserPanel()->view->page(), script, QWebEngineScript::MainWorld);
    };
    auto focusAndPaste = [&](const QString &id, int button) {
        QSignalSpy pasted(&m_form->browser(), &BrowserController::pasteFinished);
        QVERIFY(page(QStringLiteral("var e = document.getElementById(%1); e.focus(); document.activeElement === e")
                         .arg(scriptStringLiteral(id)))
                    .toBool());
        m_form->findChild<QPushButton *>(QStringLiteral("cmdPaste_%1").arg(button))->click();
        QVERIFY(pasted.wait(10000));
    };

    // 1. Compose.
    m_form->editorPanel()->subjectBox->setText(QStringLiteral("Spring meeting"));
    setEditorText(m_form->editorPanel()->messageEditor,
                  QStringLiteral("Come along, details at http://example.com/meet\r\nBring a friend"));
    m_form->editorPanel()->formatList->setCurrentIndex(1);

    // 2. Log in by pasting.
    m_form->forumsPanel()->userNameBox->setText(QStringLiteral("alice"));
    m_form->forumsPanel()->passwordBox->setText(QStringLiteral("secret"));
    QVERIFY(loadUrl(m_form->browserPanel()->view, QUrl(forum.url(QStringLiteral("/newthread")))));
    focusAndPaste(QStringLiteral("user"), 1);
    focusAndPaste(QStringLiteral("password"), 2);
    page(QStringLiteral("document.getElementById('go').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(m_form->browserPanel()->addressBox->text() == forum.url(QStringLiteral("/newthread")),
                             20000);
    QCOMPARE(forum.loggedInUser(), QStringLiteral("alice"));

    // 3. Auto-Insert, subject pasted.
    QSignalSpy inserted(&m_form->browser(), &BrowserController::autoInsertFinished);
    m_form->editorPanel()->autoInsertButton->click();
    QVERIFY(inserted.wait(20000));
    QVERIFY(inserted.first().value(0).toBool());
    focusAndPaste(QStringLiteral("subject"), 0);

    // 4 and 5. Submitted: the thread page is recognised, watched by itself and measured.
    QSignalSpy recorded(&m_form->watch().sizeRecorder(), &SizeRecorder::recorded);
    page(QStringLiteral("document.getElementById('post').click()"));
    QVERIFY(recorded.wait(20000));
    const QString thread = forum.url(QStringLiteral("/thread?id=1"));
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), QStringList{thread});
    QCOMPARE(recorded.first().value(0).toString(), thread);
    const qint64 baseline = recorded.first().value(1).toLongLong();
    QVERIFY2(baseline > forum.posts().first().message.size(), qPrintable(QString::number(baseline)));
    // Already on disk: a crash from here on loses nothing.
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), thread.toUtf8() + "\r\n\r\n");
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray::number(baseline) + "\r\n\r\n");

    // 6. Someone replies; the check lists the thread.
    forum.addReply(1, QStringLiteral("Count me in! ") + QString(600, QLatin1Char('!')));
    m_form->watch().selectPostsTab(PostsView::NewReplies);
    QSignalSpy finished(&m_form->watch().replyCheck(), &ReplyCheckRun::finished);
    m_form->postsPanel()->checkRepliesButton->click();
    QVERIFY(finished.wait(20000));
    QCOMPARE(m_form->panelText(StatusPanel::State), QStringLiteral("finished - 1 new replies found"));
    QCOMPARE(itemTexts(m_form->postsPanel()->newRepliesList), QStringList{thread});

    // 7. Closing writes both files; the next start shows the thread again.
    m_form->close();
    QCOMPARE(m_ends, 1);
    QCOMPARE(readFileBytes(m_env->filePath("posts.txt")), thread.toUtf8() + "\r\n\r\n");
    QCOMPARE(readFileBytes(m_env->filePath("sizes.txt")), QByteArray::number(baseline) + "\r\n\r\n");
    QVERIFY(m_boxes.isEmpty());
    m_form.reset();
    startForm();
    QCOMPARE(itemTexts(m_form->postsPanel()->postList), QStringList{thread});
    QCOMPARE(m_form->watchedPosts.at(0).size, QString::number(baseline));
}

QTEST_MAIN(TestWatchController)
#include "tst_watchcontroller.moc"
