#include "scriptedhttpserver.h"
#include "testenvironment.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"
#include "watch/watchedpostlist.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QStringList pairs(const WatchedPostList &list)
{
    QStringList out;
    for (const WatchedPost &post : list.posts())
        out << post.url + QLatin1Char('=') + post.size;
    return out;
}

// A server with one page per name; "name" in a test stands for server.url("/name").
struct Forum
{
    ScriptedHttpServer server;

    Forum() { server.setDefaultScript(ScriptedHttpServer::page("unknown page")); }
    bool start() { return server.start(); }
    QString url(const QString &name) const { return server.url(QLatin1Char('/') + name); }
    void setPage(const QString &name, qint64 size)
    {
        server.setScript(QLatin1Char('/') + name, ScriptedHttpServer::page(QByteArray(size, 'r')));
    }
    // The page answers only after a while, so the test can act while it is being measured.
    void setSlowPage(const QString &name, qint64 size, int ms)
    {
        server.setScript(QLatin1Char('/') + name,
                         {ServerStep::send(ScriptedHttpServer::response({})), ServerStep::pause(ms),
                          ServerStep::send(QByteArray(size, 'r')), ServerStep::close()});
    }
};

// Everything one run reported.
struct RunLog
{
    QStringList status;
    QStringList flagged;
    QStringList failed;
    int cleared = 0;
    int finished = 0;

    explicit RunLog(ReplyCheckRun &run)
    {
        QObject::connect(&run, &ReplyCheckRun::statusText, &run, [this](const QString &t) { status << t; });
        QObject::connect(&run, &ReplyCheckRun::newReply, &run, [this](const QString &u) { flagged << u; });
        QObject::connect(&run, &ReplyCheckRun::failed, &run, [this](const QString &t) { failed << t; });
        QObject::connect(&run, &ReplyCheckRun::cleared, &run, [this] {
            ++cleared;
            flagged.clear();
        });
        QObject::connect(&run, &ReplyCheckRun::finished, &run, [this] { ++finished; });
    }
};

} // namespace

// Measuring watched posts, and the reply check over them, against a loopback forum.
class TestReplyWatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordsSizesInTurn();
    void keepsMeasurementWithItsPost();
    void failedMeasurementRecordsNothing();
    void flagsGrownPages_data();
    void flagsGrownPages();
    void errorEndsRun_data();
    void errorEndsRun();
    void secondStartReplacesRun();
    void followsPostsThroughRemoval_data();
    void followsPostsThroughRemoval();
    void checksPostWatchedDuringRun();
    void rewatchResetsBaseline();
};

void TestReplyWatch::recordsSizesInTurn()
{
    TestEnvironment environment;
    Forum forum;
    forum.setSlowPage("a", 1000, 200);
    forum.setPage("b", 2000);
    QVERIFY(forum.start());
    WatchedPostList list;
    SizeRecorder recorder(list);
    QSignalSpy recorded(&recorder, &SizeRecorder::recorded);

    // The second watch comes while the first page is still being measured: both get measured.
    for (const QString &name : {QStringLiteral("a"), QStringLiteral("b")}) {
        list.watch(forum.url(name));
        recorder.measure(forum.url(name));
    }
    recorder.measure(forum.url("a")); // already under way: not measured twice
    QTRY_COMPARE(recorded.count(), 2);
    QCOMPARE(pairs(list), (QStringList{forum.url("a") + "=1000", forum.url("b") + "=2000"}));
    QCOMPARE(forum.server.requests().size(), 2);
    QVERIFY(!recorder.isBusy());
}

void TestReplyWatch::keepsMeasurementWithItsPost()
{
    TestEnvironment environment;
    Forum forum;
    forum.setPage("a", 100);
    forum.setSlowPage("b", 5000, 300);
    forum.setPage("c", 300);
    QVERIFY(forum.start());
    WatchedPostList list;
    for (const QString &name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        list.watch(forum.url(name));
    SizeRecorder recorder(list);
    QSignalSpy recorded(&recorder, &SizeRecorder::recorded);

    recorder.measure(forum.url("b"));
    QTRY_COMPARE(forum.server.requests().size(), 1);
    // The post before it goes while "b" is measured: b's size must still reach b, not c.
    list.removeAt(0);
    QTRY_COMPARE(recorded.count(), 1);
    QCOMPARE(pairs(list), (QStringList{forum.url("b") + "=5000", forum.url("c") + "=0"}));

    // And a post removed while it is measured gets nothing, nor does any other.
    recorder.measure(forum.url("b"));
    QTRY_COMPARE(forum.server.requests().size(), 2);
    list.removeAt(0);
    QTRY_COMPARE(recorded.count(), 2);
    QCOMPARE(pairs(list), QStringList{forum.url("c") + "=0"});
}

void TestReplyWatch::failedMeasurementRecordsNothing()
{
    TestEnvironment environment;
    Forum forum;
    forum.server.setScript("/silent", {ServerStep::stall()});
    forum.setPage("ok", 64);
    QVERIFY(forum.start());
    WatchedPostList list;
    list.watch(forum.url("old"));
    list.recordSize(forum.url("old"), 4242);
    forum.server.setScript("/old", {ServerStep::stall()});
    SizeRecorder recorder(list);
    recorder.probe().setTimeouts(2000, 200);
    QSignalSpy failed(&recorder, &SizeRecorder::failed);
    QSignalSpy recorded(&recorder, &SizeRecorder::recorded);

    list.watch(forum.url("silent"));
    recorder.measure(forum.url("silent"));
    recorder.measure(forum.url("old"));
    recorder.measure(forum.url("ok")); // still measured after two failures
    QTRY_COMPARE(recorded.count(), 1);
    QCOMPARE(failed.count(), 2);
    QVERIFY(failed.first().first().toString().startsWith("Error occurred.\r\n"));
    // A new post keeps "0", a re-watched one its earlier size.
    QCOMPARE(pairs(list), (QStringList{forum.url("old") + "=4242", forum.url("silent") + "=0"}));
}

void TestReplyWatch::flagsGrownPages_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QList<qint64>>("measured");
    QTest::addColumn<QList<int>>("flagged");

    QTest::newRow("empty list") << QStringList() << QList<qint64>() << QList<int>();
    QTest::newRow("grew by exactly 500") << QStringList{"10000"} << QList<qint64>{10500} << QList<int>();
    QTest::newRow("grew by 501") << QStringList{"10000"} << QList<qint64>{10501} << QList<int>{0};
    QTest::newRow("shrank") << QStringList{"10000"} << QList<qint64>{3000} << QList<int>();
    QTest::newRow("unchanged") << QStringList{"2048"} << QList<qint64>{2048} << QList<int>();
    QTest::newRow("two of four, in list order")
        << QStringList{"100", "5000", "100", "100"} << QList<qint64>{900, 5000, 100, 20000} << QList<int>{0, 3};
    // Neighbours with very different sizes: each post is compared with its own size only.
    QTest::newRow("neighbours differ") << QStringList{"50000", "1000"} << QList<qint64>{50100, 1200} << QList<int>();
    QTest::newRow("stored size not a number") << QStringList{"lots"} << QList<qint64>{900} << QList<int>{0};
}

void TestReplyWatch::flagsGrownPages()
{
    QFETCH(QStringList, stored);
    QFETCH(QList<qint64>, measured);
    QFETCH(QList<int>, flagged);
    TestEnvironment environment;
    Forum forum;
    QVERIFY(forum.start());
    QByteArray posts;
    QByteArray sizes;
    for (int i = 0; i < stored.size(); ++i) {
        const QString name = QStringLiteral("t%1").arg(i);
        forum.setPage(name, measured.at(i));
        posts += forum.url(name).toUtf8() + "\r\n";
        sizes += stored.at(i).toUtf8() + "\r\n";
    }
    QFile postsFile(environment.filePath("posts.txt"));
    QVERIFY(postsFile.open(QIODevice::WriteOnly) && postsFile.write(posts) >= 0);
    postsFile.close();
    QFile sizesFile(environment.filePath("sizes.txt"));
    QVERIFY(sizesFile.open(QIODevice::WriteOnly) && sizesFile.write(sizes) >= 0);
    sizesFile.close();
    WatchedPostList list;
    list.load();

    ReplyCheckRun run(list);
    RunLog log(run);
    run.start();
    QTRY_COMPARE(log.finished, 1);
    QStringList expectedFlagged;
    for (const int i : flagged)
        expectedFlagged << forum.url(QStringLiteral("t%1").arg(i));
    QCOMPARE(log.flagged, expectedFlagged);
    QStringList expectedStatus;
    for (int i = 1; i <= stored.size() + 1; ++i)
        expectedStatus << QStringLiteral("checking post %1").arg(i);
    expectedStatus << QStringLiteral("finished - %1 new replies found").arg(flagged.size());
    QCOMPARE(log.status, expectedStatus);
    // A check never changes the stored sizes.
    for (int i = 0; i < stored.size(); ++i)
        QCOMPARE(list.at(i).size, stored.at(i));
}

void TestReplyWatch::errorEndsRun_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("refused connection") << "refused";
    QTest::newRow("server never answers") << "silent";
    QTest::newRow("address cannot be fetched") << "address";
}

void TestReplyWatch::errorEndsRun()
{
    QFETCH(QString, failure);
    TestEnvironment environment;
    Forum forum;
    forum.setPage("one", 9000);
    forum.setPage("three", 9000);
    forum.server.setScript("/two", {ServerStep::stall()});
    QVERIFY(forum.start());
    ScriptedHttpServer gone;
    QVERIFY(gone.start());
    const QString goneUrl = gone.url("/two");
    gone.close();

    WatchedPostList list;
    list.watch(forum.url("one"));
    list.watch(failure == "refused" ? goneUrl : failure == "silent" ? forum.url("two") : QStringLiteral("http://:x/"));
    list.watch(forum.url("three"));
    ReplyCheckRun run(list);
    run.probe().setTimeouts(2000, 200);
    RunLog log(run);
    run.start();
    QTRY_COMPARE(log.failed.size(), 1);
    QTest::qWait(300);
    QCOMPARE(log.failed.size(), 1);
    QCOMPARE(log.finished, 0);
    QVERIFY(!run.isRunning());
    QCOMPARE(log.status, (QStringList{"checking post 1", "checking post 2"}));
    QCOMPARE(log.flagged, QStringList{forum.url("one")});
    // The third post was never asked for.
    for (const QByteArray &request : forum.server.requests())
        QVERIFY(!request.startsWith("GET /three"));
}

void TestReplyWatch::secondStartReplacesRun()
{
    TestEnvironment environment;
    Forum forum;
    forum.setSlowPage("a", 2000, 400);
    forum.setPage("b", 3000);
    QVERIFY(forum.start());
    WatchedPostList list;
    list.watch(forum.url("a"));
    list.watch(forum.url("b"));
    ReplyCheckRun run(list);
    RunLog log(run);
    run.start();
    QTRY_COMPARE(forum.server.requests().size(), 1);
    run.start();
    QTRY_COMPARE(log.finished, 1);
    QTest::qWait(600); // the abandoned first measurement of "a" must not count
    QCOMPARE(log.finished, 1);
    QCOMPARE(log.cleared, 2);
    QCOMPARE(log.flagged, (QStringList{forum.url("a"), forum.url("b")}));
    QCOMPARE(run.newReplies(), 2);
    QCOMPARE(log.status.last(), QStringLiteral("finished - 2 new replies found"));
}

void TestReplyWatch::followsPostsThroughRemoval_data()
{
    QTest::addColumn<QString>("slow");
    QTest::addColumn<int>("removeIndex");
    QTest::addColumn<QStringList>("flagged");
    QTest::addColumn<int>("requests");

    // Posts a, b, c; "a" and "b" grew, "c" did not. The removal happens while the slow post is
    // being measured.
    QTest::newRow("a measured, a removed") << "a" << 0 << QStringList{"b"} << 3;
    QTest::newRow("a measured, b removed") << "a" << 1 << QStringList{"a"} << 2;
    QTest::newRow("a measured, c removed") << "a" << 2 << QStringList{"a", "b"} << 2;
    QTest::newRow("b measured, a removed") << "b" << 0 << QStringList{"a", "b"} << 3;
    QTest::newRow("b measured, b removed") << "b" << 1 << QStringList{"a"} << 3;
    QTest::newRow("b measured, c removed") << "b" << 2 << QStringList{"a", "b"} << 2;
}

void TestReplyWatch::followsPostsThroughRemoval()
{
    QFETCH(QString, slow);
    QFETCH(int, removeIndex);
    QFETCH(QStringList, flagged);
    TestEnvironment environment;
    Forum forum;
    const QList<qint64> measured{5000, 9000, 100};
    const QStringList names{"a", "b", "c"};
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i) == slow)
            forum.setSlowPage(names.at(i), measured.at(i), 300);
        else
            forum.setPage(names.at(i), measured.at(i));
    }
    QVERIFY(forum.start());
    WatchedPostList list;
    for (const QString &name : names)
        list.watch(forum.url(name));
    // "a" keeps its first size line, 0; "b" and "c" were measured at 100. Compared with the
    // wrong post's size, "c" would be reported.
    list.recordSize(forum.url("b"), 100);
    list.recordSize(forum.url("c"), 100);
    ReplyCheckRun run(list);
    RunLog log(run);
    run.start();
    QTRY_COMPARE(forum.server.requests().size(), names.indexOf(slow) + 1);
    list.removeAt(removeIndex);
    QTRY_COMPARE(log.finished, 1);
    QStringList expected;
    for (const QString &name : flagged)
        expected << forum.url(name);
    QCOMPARE(log.flagged, expected);
    QCOMPARE(log.status.last(), QStringLiteral("finished - %1 new replies found").arg(flagged.size()));
    QTEST(int(forum.server.requests().size()), "requests");
}

void TestReplyWatch::checksPostWatchedDuringRun()
{
    TestEnvironment environment;
    Forum forum;
    forum.setSlowPage("a", 100, 200);
    forum.setPage("late", 5000);
    QVERIFY(forum.start());
    WatchedPostList list;
    list.watch(forum.url("a"));
    list.recordSize(forum.url("a"), 100);
    ReplyCheckRun run(list);
    RunLog log(run);
    run.start();
    list.watch(forum.url("late")); // its size line says 0 until measured
    QTRY_COMPARE(log.finished, 1);
    QCOMPARE(log.flagged, QStringList{forum.url("late")});
}

void TestReplyWatch::rewatchResetsBaseline()
{
    TestEnvironment environment;
    Forum forum;
    forum.setPage("t", 1000);
    QVERIFY(forum.start());
    WatchedPostList list;
    SizeRecorder recorder(list);
    QSignalSpy recorded(&recorder, &SizeRecorder::recorded);
    list.watch(forum.url("t"));
    recorder.measure(forum.url("t"));
    QTRY_COMPARE(recorded.count(), 1);

    forum.setPage("t", 1600); // replies arrived
    ReplyCheckRun run(list);
    RunLog log(run);
    for (int pass = 1; pass <= 2; ++pass) {
        run.start();
        QTRY_COMPARE(log.finished, pass);
        QCOMPARE(log.flagged, QStringList{forum.url("t")}); // flagged until watched again
    }
    recorder.measure(forum.url("t"));
    QTRY_COMPARE(recorded.count(), 2);
    run.start();
    QTRY_COMPARE(log.finished, 3);
    QCOMPARE(log.flagged, QStringList());
}

QTEST_GUILESS_MAIN(TestReplyWatch)
#include "tst_replywatch.moc"
