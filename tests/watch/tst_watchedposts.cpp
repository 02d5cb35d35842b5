#include "filebytes.h"
#include "filesizelimit.h"
#include "scriptedhttpserver.h"
#include "testenvironment.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"
#include "watch/watchedpostlist.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <cstring>

namespace {

QStringList pairs(const WatchedPostList &list)
{
    QStringList out;
    for (const WatchedPost &post : list.posts())
        out << post.url + QLatin1Char('=') + post.size;
    return out;
}

// The rows the list shows as a model: "url=size", the size as the number it stands for.
QStringList modelRows(const WatchedPostList &list)
{
    QStringList out;
    for (int row = 0; row < list.rowCount(); ++row) {
        const QModelIndex index = list.index(row);
        out << index.data().toString() + QLatin1Char('=') + index.data(WatchedPostList::SizeRole).toString();
    }
    return out;
}

// pairs() as modelRows() shows them.
QStringList asShown(const QStringList &pairs)
{
    QStringList out;
    for (const QString &pair : pairs) {
        const qsizetype bar = pair.lastIndexOf(QLatin1Char('='));
        out << pair.left(bar + 1) + QString::number(WatchedPostList::sizeValue(pair.mid(bar + 1)));
    }
    return out;
}

// Runs "watch URL", "record URL SIZE" and "remove INDEX" commands against the list.
void apply(WatchedPostList &list, const QString &command)
{
    const QStringList words = command.split(QLatin1Char(' '));
    const QString verb = words.value(0);
    if (verb == QLatin1String("watch"))
        list.watch(command.mid(6));
    else if (verb == QLatin1String("thread"))
        list.watchThread(command.mid(7));
    else if (verb == QLatin1String("record"))
        list.recordSize(words.value(1), words.value(2).toLongLong());
    else if (verb == QLatin1String("remove"))
        list.removeAt(words.value(1).toInt());
    else
        QFAIL(qPrintable(QStringLiteral("unknown command ") + command));
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
    QStringList failedPosts;
    QPair<int, int> progress;
    int cleared = 0;
    int finished = 0;
    int stopped = 0;

    explicit RunLog(ReplyCheckRun &run)
    {
        QObject::connect(&run, &ReplyCheckRun::statusText, &run, [this](const QString &t) { status << t; });
        QObject::connect(&run, &ReplyCheckRun::newReply, &run, [this](const QString &u) { flagged << u; });
        QObject::connect(&run, &ReplyCheckRun::failed, &run, [this](const QString &t) { failed << t; });
        QObject::connect(&run, &ReplyCheckRun::cleared, &run, [this] {
            ++cleared;
            flagged.clear();
        });
        QObject::connect(&run, &ReplyCheckRun::postFailed, &run, [this](const QString &u) { failedPosts << u; });
        QObject::connect(&run, &ReplyCheckRun::progress, &run, [this](int d, int t) { progress = {d, t}; });
        QObject::connect(&run, &ReplyCheckRun::finished, &run, [this] { ++finished; });
        QObject::connect(&run, &ReplyCheckRun::stopped, &run, [this] { ++stopped; });
    }
};

} // namespace

// The watched posts and their two files, measuring them, and the reply check over them.
class TestWatchedPosts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failureMarks();
    void readsFiles_data();
    void readsFiles();
    void readsBaselines_data();
    void readsBaselines();
    void writesAfterEveryChange_data();
    void writesAfterEveryChange();
    void reportsWriteFailure();
    void unreadableFileIsNeverOverwritten_data();
    void unreadableFileIsNeverOverwritten();
    void interruptedSaveSettles_data();
    void interruptedSaveSettles();
    void recordsSizesInTurn();
    void keepsMeasurementWithItsPost();
    void failedMeasurementRecordsNothing();
    void flagsGrownPages_data();
    void flagsGrownPages();
    void failedPostDoesNotEndRun_data();
    void failedPostDoesNotEndRun();
    void keepsConnectionLimits_data();
    void keepsConnectionLimits();
    void stopEndsRun();
    void secondStartReplacesRun();
    void followsPostsThroughRemoval_data();
    void followsPostsThroughRemoval();
    void rewatchResetsBaseline();
};

void TestWatchedPosts::readsFiles_data()
{
    QTest::addColumn<QByteArray>("postsFile");
    QTest::addColumn<QByteArray>("sizesFile");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("size that is not a number keeps its place")
        << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("1\r\nlots\r\n3\r\n") << QStringList{"a=1", "b=lots", "c=3"};
    QTest::newRow("more sizes than posts")
        << QByteArray("a\r\nb\r\n") << QByteArray("1\r\n2\r\n3\r\n4\r\n") << QStringList{"a=1", "b=2"};
    QTest::newRow("fewer sizes than posts")
        << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("1\r\n") << QStringList{"a=1", "b=0", "c=0"};
    QTest::newRow("sizes file missing") << QByteArray("a\r\n") << QByteArray() << QStringList{"a=0"};
}

void TestWatchedPosts::readsBaselines_data()
{
    QTest::addColumn<QByteArray>("postsFile");
    QTest::addColumn<QByteArray>("baselinesFile");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("expected"); // "url: login|numbers|later page", -1: not known
    QTest::addColumn<QByteArray>("written");   // postnumbers.txt after a save, when it differs

    const QByteArray two = "a\r\nb|c\r\n";
    QTest::newRow("lines as older versions wrote them")
        << two << QByteArray("member|1 2|a\r\nguest||b|c\r\n") << QStringList()
        << QStringList{"a: member|1 2|-1", "b|c: guest||-1"} << QByteArray();
    QTest::newRow("with the later page, a \"|\" in the address")
        << two << QByteArray("member|1 2|3|a\r\nguest|7|0|b|c\r\n") << QStringList()
        << QStringList{"a: member|1 2|3", "b|c: guest|7|0"} << QByteArray();
    QTest::newRow("lines that do not fit are not used")
        << two << QByteArray("member|1 2|x|a\r\nguest|7|0|b|d\r\n") << QStringList()
        << QStringList{"a: ||-1", "b|c: ||-1"} << QByteArray("||a\r\n\r\n||b|c\r\n\r\n");
    QTest::newRow("joined rows keep every number and the last login")
        << QByteArray("t?tid=1&pid=3\r\nt?tid=1&pid=5\r\n")
        << QByteArray("member|1 2 3|0|t?tid=1&pid=3\r\nguest|1 4 5|t?tid=1&pid=5\r\n")
        << QStringList{"thread t?tid=1&pid=6#pid6"} << QStringList{"t?tid=1: guest|1 2 3 4 5|-1"}
        << QByteArray("guest|1 2 3 4 5|t?tid=1\r\n\r\n");
}

void TestWatchedPosts::readsBaselines()
{
    QFETCH(QByteArray, postsFile);
    QFETCH(QByteArray, baselinesFile);
    QFETCH(QStringList, commands);
    QFETCH(QByteArray, written);
    TestEnvironment environment;
    QVERIFY(writeFileBytes(environment.filePath("posts.txt"), postsFile));
    QVERIFY(writeFileBytes(environment.filePath("postnumbers.txt"), baselinesFile));
    WatchedPostList list(environment.folder());
    QCOMPARE(list.load(), QString());
    for (const QString &command : commands)
        apply(list, command);
    QStringList baselines;
    for (const WatchedPost &post : list.posts()) {
        QStringList numbers;
        for (const qint64 number : post.postNumbers)
            numbers << QString::number(number);
        baselines << QStringLiteral("%1: %2|%3|%4")
                         .arg(post.url, QString::fromLatin1(loginStateText(post.login)), numbers.join(' '))
                         .arg(post.laterPage);
    }
    QTEST(baselines, "expected");
    // A line reads back as it was written, in the form it was read in.
    QCOMPARE(list.save(), QString());
    QByteArray rewritten;
    for (const QByteArray &line : baselinesFile.split('\n')) {
        if (!line.isEmpty())
            rewritten += line + "\n\r\n";
    }
    QCOMPARE(readFileBytes(environment.filePath("postnumbers.txt")), written.isEmpty() ? rewritten : written);
}

// A post the reply check could not measure says why, for the rest of the run or the next check.
void TestWatchedPosts::failureMarks()
{
    TestEnvironment environment;
    WatchedPostList list(environment.folder());
    list.load();
    list.watch("a");
    list.watch("b");
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    list.markFailed("a", "timed out");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(list.index(0).data(Qt::ToolTipRole).toString(), QStringLiteral("Not checked: timed out"));
    QCOMPARE(list.index(0).data(WatchedPostList::FailureRole).toString(), QStringLiteral("timed out"));
    QVERIFY(!list.index(1).data(Qt::ToolTipRole).isValid());
    QVERIFY(list.index(1).data(WatchedPostList::UnmeasuredRole).toBool());
    list.removeAt(0);
    list.watch("a"); // watched again: still the failure of this run
    QCOMPARE(list.index(1).data(WatchedPostList::FailureRole).toString(), QStringLiteral("timed out"));
    // A note shows where no failure does, and panel 2 gets the address with the mark beside it.
    list.markNoted("b", "new baseline");
    QCOMPARE(list.index(0).data(Qt::ToolTipRole).toString(), QStringLiteral("new baseline"));
    QCOMPARE(list.index(0).data(Qt::StatusTipRole).toString(), QStringLiteral("b - new baseline"));
    QCOMPARE(list.index(1).data(Qt::StatusTipRole).toString(), QStringLiteral("a - Not checked: timed out"));
    list.clearFailures();
    QVERIFY(!list.index(1).data(Qt::ToolTipRole).isValid());
    QVERIFY(!list.index(0).data(Qt::ToolTipRole).isValid());
    QCOMPARE(list.index(0).data(Qt::StatusTipRole).toString(), QStringLiteral("b"));
}

void TestWatchedPosts::readsFiles()
{
    QFETCH(QByteArray, postsFile);
    QFETCH(QByteArray, sizesFile);
    TestEnvironment environment;
    QVERIFY(writeFileBytes(environment.filePath("posts.txt"), postsFile));
    if (!sizesFile.isEmpty())
        QVERIFY(writeFileBytes(environment.filePath("sizes.txt"), sizesFile));

    WatchedPostList list(environment.folder());
    list.load();
    QTEST(pairs(list), "expected");
}

void TestWatchedPosts::writesAfterEveryChange_data()
{
    QTest::addColumn<QByteArray>("postsFile");
    QTest::addColumn<QByteArray>("sizesFile");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("expected");

    const QByteArray abc = "a\r\n\r\nb\r\n\r\nc\r\n\r\n";
    const QByteArray sizes = "10\r\n\r\n20\r\n\r\n30\r\n\r\n";
    QTest::newRow("new post has a size line at once")
        << abc << sizes << QStringList{"watch d"} << QStringList{"a=10", "b=20", "c=30", "d=0"};
    QTest::newRow("measurement replaces the size")
        << abc << sizes << QStringList{"watch d", "record d 4096"} << QStringList{"a=10", "b=20", "c=30", "d=4096"};
    QTest::newRow("watching twice keeps one entry")
        << abc << sizes << QStringList{"watch b", "record b 99"} << QStringList{"a=10", "b=99", "c=30"};
    QTest::newRow("letter case makes another post")
        << abc << sizes << QStringList{"watch B"} << QStringList{"a=10", "b=20", "c=30", "B=0"};
    QTest::newRow("empty and one-blank addresses refused")
        << abc << sizes << QStringList{"watch ", "watch  "} << QStringList{"a=10", "b=20", "c=30"};
    QTest::newRow("two blanks can be read back, so they are watched")
        << abc << sizes << QStringList{"watch   "} << QStringList{"a=10", "b=20", "c=30", "  =0"};
    QTest::newRow("removal takes the post with its size")
        << abc << sizes << QStringList{"remove 1"} << QStringList{"a=10", "c=30"};
    QTest::newRow("measurement after a removal lands on its own post")
        << abc << sizes << QStringList{"watch d", "remove 0", "record d 777"} << QStringList{"b=20", "c=30", "d=777"};
    QTest::newRow("measurement of a removed post is dropped")
        << abc << sizes << QStringList{"remove 2", "record c 5000"} << QStringList{"a=10", "b=20"};
    QTest::newRow("removal out of range does nothing")
        << abc << sizes << QStringList{"remove 3", "remove -1"} << QStringList{"a=10", "b=20", "c=30"};
    QTest::newRow("corrupt size file healed by the next change")
        << abc << QByteArray("10\r\nx\r\n") << QStringList{"record a 11"} << QStringList{"a=11", "b=x", "c=0"};
    QTest::newRow("one row per thread, whatever post it was opened at")
        << abc << sizes << QStringList{"thread d#comment-7", "thread d?unapproved=11&moderation-hash=4a5a#comment-11"}
        << QStringList{"a=10", "b=20", "c=30", "d=0"};
    QTest::newRow("thread stored with its anchor is its row, under the thread's address")
        << QByteArray("a#p1\r\n") << QByteArray("10\r\n") << QStringList{"thread a#p2", "record a 12"}
        << QStringList{"a=12"};
    QTest::newRow("rows stored with post pointers join the thread's row")
        << QByteArray("x\r\nt?tid=1&pid=82\r\ny\r\nt?tid=1&pid=84\r\n") << QByteArray("1\r\n20\r\n2\r\n24\r\n")
        << QStringList{"thread t?tid=1&pid=86#pid86"} << QStringList{"x=1", "t?tid=1=24", "y=2"};
    QTest::newRow("watched at a later page, then at a post: one row")
        << abc << sizes << QStringList{"thread b?t=5&start=40", "record b?t=5&start=40 50", "thread b?t=5&p=9#p9"}
        << QStringList{"a=10", "b=20", "c=30", "b?t=5=50"};
    QTest::newRow("surplus sizes dropped by the next change")
        << QByteArray("a\r\n") << sizes << QStringList{"watch b"} << QStringList{"a=10", "b=0"};
}

void TestWatchedPosts::writesAfterEveryChange()
{
    QFETCH(QByteArray, postsFile);
    QFETCH(QByteArray, sizesFile);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, expected);
    TestEnvironment environment;
    QVERIFY(writeFileBytes(environment.filePath("posts.txt"), postsFile));
    QVERIFY(writeFileBytes(environment.filePath("sizes.txt"), sizesFile));

    WatchedPostList list(environment.folder());
    list.load();
    // Every change reaches the views as the model's own signals, consistently.
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy failures(&list, &WatchedPostList::saveFailed);
    for (const QString &command : commands)
        apply(list, command);
    QCOMPARE(pairs(list), expected);
    QCOMPARE(modelRows(list), asShown(expected));
    QCOMPARE(failures.count(), 0);

    // What a crash right now would leave behind reads back the same.
    WatchedPostList reread(environment.folder());
    reread.load();
    QCOMPARE(pairs(reread), expected);

    // Both files in their written form, one entry each per post.
    QByteArray posts;
    QByteArray sizes;
    for (const WatchedPost &post : list.posts()) {
        posts += post.url.toUtf8() + "\r\n\r\n";
        sizes += post.size.toUtf8() + "\r\n\r\n";
    }
    QCOMPARE(readFileBytes(environment.filePath("posts.txt")), posts);
    QCOMPARE(readFileBytes(environment.filePath("sizes.txt")), sizes);
}

void TestWatchedPosts::reportsWriteFailure()
{
    TestEnvironment environment;
    const QString longUrl = "http://forum.example.org/" + QString(80, 't');
    const QByteArray posts = (longUrl + "/1\r\n\r\n" + longUrl + "/2\r\n\r\n").toUtf8();
    QVERIFY(writeFileBytes(environment.filePath("posts.txt"), posts));
    QVERIFY(writeFileBytes(environment.filePath("sizes.txt"), "100\r\n\r\n200\r\n\r\n"));
    WatchedPostList list(environment.folder());
    QCOMPARE(list.load(), QString());
    QSignalSpy failures(&list, &WatchedPostList::saveFailed);
    {
        // Room for the new sizes.txt, not for the new posts.txt: neither may replace its old file,
        // or every later post would be read with its neighbour's size.
        FileSizeLimit limit(64);
        list.removeAt(0);
    }
    QCOMPARE(failures.count(), 1);
    const QString error = failures.first().first().toString();
    QVERIFY2(error.contains("posts.txt") && error.contains(QString::fromLocal8Bit(strerror(EFBIG))), qPrintable(error));
    QCOMPARE(list.count(), 1);
    QCOMPARE(readFileBytes(environment.filePath("posts.txt")), posts);
    QCOMPARE(readFileBytes(environment.filePath("sizes.txt")), QByteArray("100\r\n\r\n200\r\n\r\n"));
    QCOMPARE(QDir(environment.dataFolder()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"posts.txt", "sizes.txt"}));
}

void TestWatchedPosts::unreadableFileIsNeverOverwritten_data()
{
    QTest::addColumn<QString>("unreadable");
    QTest::addColumn<QString>("other");
    QTest::newRow("posts.txt") << "posts.txt"
                               << "sizes.txt";
    QTest::newRow("sizes.txt") << "sizes.txt"
                               << "posts.txt";
}

void TestWatchedPosts::unreadableFileIsNeverOverwritten()
{
    QFETCH(QString, unreadable);
    QFETCH(QString, other);
    TestEnvironment environment;
    // Root reads a mode-000 file; a folder in its place cannot be read by anyone.
    QVERIFY(QDir(environment.dataFolder()).mkdir(unreadable));
    QVERIFY(writeFileBytes(environment.filePath(other), "100\r\n\r\n200\r\n\r\n"));

    WatchedPostList list(environment.folder());
    const QString loadError = list.load();
    QVERIFY2(loadError.contains(unreadable), qPrintable(loadError));
    QCOMPARE(list.loadError(), loadError);

    QSignalSpy failures(&list, &WatchedPostList::saveFailed);
    QVERIFY(list.watch("http://forum.example.org/t/1") >= 0);
    QVERIFY(list.recordSize("http://forum.example.org/t/1", 321));
    QCOMPARE(failures.count(), 2);
    QVERIFY2(failures.first().first().toString().contains("cannot be saved"),
             qPrintable(failures.first().first().toString()));
    QVERIFY(!list.save().isEmpty());
    // The rest of the list goes on working for this run; no file is touched.
    QCOMPARE(pairs(list).last(), "http://forum.example.org/t/1=321");
    QCOMPARE(readFileBytes(environment.filePath(other)), QByteArray("100\r\n\r\n200\r\n\r\n"));
    QVERIFY(QFileInfo(environment.filePath(unreadable)).isDir());
}

void TestWatchedPosts::interruptedSaveSettles_data()
{
    // What a kill leaves at each step of a save from "a b" (10 20) to "b" (20).
    QTest::addColumn<QStringList>("leftFiles"); // besides the old posts.txt and sizes.txt
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("new files half written") << QStringList{"posts.txt.new"} << QStringList{"a=10", "b=20"};
    QTest::newRow("new files whole, not committed")
        << QStringList{"posts.txt.new", "sizes.txt.new"} << QStringList{"a=10", "b=20"};
    QTest::newRow("committed") << QStringList{"posts.txt.new", "sizes.txt.new", "posts.journal"} << QStringList{"b=20"};
    QTest::newRow("committed, posts.txt replaced")
        << QStringList{"sizes.txt.new", "posts.journal"} << QStringList{"b=20"};
}

void TestWatchedPosts::interruptedSaveSettles()
{
    QFETCH(QStringList, leftFiles);
    QFETCH(QStringList, expected);
    TestEnvironment environment;
    const bool postsReplaced = !leftFiles.contains("posts.txt.new");
    QVERIFY(writeFileBytes(environment.filePath("posts.txt"), postsReplaced ? "b\r\n\r\n" : "a\r\n\r\nb\r\n\r\n"));
    QVERIFY(writeFileBytes(environment.filePath("sizes.txt"), "10\r\n\r\n20\r\n\r\n"));
    const QMap<QString, QByteArray> content{{"posts.txt.new", "b\r\n\r\n"},
                                            {"sizes.txt.new", "20\r\n\r\n"},
                                            {"posts.journal", "posts.txt\r\nsizes.txt\r\n"}};
    for (const QString &name : leftFiles)
        QVERIFY(writeFileBytes(environment.filePath(name), content.value(name)));

    WatchedPostList list(environment.folder());
    QCOMPARE(list.load(), QString());
    QCOMPARE(pairs(list), expected);
    QCOMPARE(QDir(environment.dataFolder()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"posts.txt", "sizes.txt"}));
}

void TestWatchedPosts::recordsSizesInTurn()
{
    TestEnvironment environment;
    Forum forum;
    forum.setSlowPage("a", 1000, 200);
    forum.setPage("b", 2000);
    QVERIFY(forum.start());
    WatchedPostList list(environment.folder());
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

void TestWatchedPosts::keepsMeasurementWithItsPost()
{
    TestEnvironment environment;
    Forum forum;
    forum.setPage("a", 100);
    forum.setSlowPage("b", 5000, 300);
    forum.setPage("c", 300);
    QVERIFY(forum.start());
    WatchedPostList list(environment.folder());
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

void TestWatchedPosts::failedMeasurementRecordsNothing()
{
    TestEnvironment environment;
    Forum forum;
    forum.server.setScript("/silent", {ServerStep::stall()});
    forum.setPage("ok", 64);
    QVERIFY(forum.start());
    WatchedPostList list(environment.folder());
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

void TestWatchedPosts::flagsGrownPages_data()
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
    QTest::newRow("stored size not a number") << QStringList{"lots", "100"} << QList<qint64>{900, 100} << QList<int>{0};
    // A post whose first measurement never arrived: this one becomes its baseline.
    QTest::newRow("not measured yet") << QStringList{"0", "100"} << QList<qint64>{20480, 900} << QList<int>{1};
}

void TestWatchedPosts::flagsGrownPages()
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
    QVERIFY(writeFileBytes(environment.filePath("posts.txt"), posts));
    QVERIFY(writeFileBytes(environment.filePath("sizes.txt"), sizes));
    WatchedPostList list(environment.folder());
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
    for (int i = 1; i <= stored.size(); ++i)
        expectedStatus << QStringLiteral("checking post %1").arg(i);
    expectedStatus << QStringLiteral("finished - %1 new replies found").arg(flagged.size());
    QCOMPARE(log.status, expectedStatus);
    QCOMPARE(log.progress, qMakePair(int(stored.size()), int(stored.size())));
    // A check changes no stored size but the one a post never had.
    for (int i = 0; i < stored.size(); ++i)
        QCOMPARE(list.at(i).size, stored.at(i) == "0" ? QString::number(measured.at(i)) : stored.at(i));
}

void TestWatchedPosts::failedPostDoesNotEndRun_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("refused connection") << "refused";
    QTest::newRow("server never answers") << "silent";
    QTest::newRow("address cannot be fetched") << "address";
    QTest::newRow("control character in the host") << "injection";
}

void TestWatchedPosts::failedPostDoesNotEndRun()
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

    const QString failing = failure == "refused"   ? goneUrl
                            : failure == "silent"  ? forum.url("two")
                            : failure == "address" ? QStringLiteral("http://:x/")
                                                   : QStringLiteral("http://[a\tX-Injected: 1]/page");
    WatchedPostList list(environment.folder());
    for (const QString &url : {forum.url("one"), failing, forum.url("three")}) {
        list.watch(url);
        list.recordSize(url, 100);
    }
    ReplyCheckRun run(list);
    run.probeSettings().connectMs = 2000;
    run.probeSettings().idleMs = 200;
    RunLog log(run);
    run.start();
    QTRY_COMPARE(log.finished, 1);
    QCOMPARE(log.status,
             (QStringList{"checking post 1", "checking post 2", "checking post 3", "finished - 2 new replies found"}));
    QCOMPARE(log.flagged, (QStringList{forum.url("one"), forum.url("three")}));
    QCOMPARE(log.failedPosts, QStringList{failing});
    // One box at the end names the post and why.
    QCOMPARE(log.failed.size(), 1);
    QCOMPARE(run.failures().size(), 1);
    QVERIFY2(!run.failures().first().reason.isEmpty() && log.failed.first().contains(failing) &&
                 log.failed.first().contains(run.failures().first().reason),
             qPrintable(log.failed.first()));
    QVERIFY(!run.isRunning());
    for (const QByteArray &request : forum.server.requests())
        QVERIFY(!request.contains("X-Injected"));
}

void TestWatchedPosts::keepsConnectionLimits_data()
{
    QTest::addColumn<int>("perHost");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("mostOnFirst");

    // Posts on the first host come first; the second host's must not wait behind them.
    QTest::newRow("host limit binds") << 2 << 3 << 2;
    QTest::newRow("overall limit binds") << 6 << 3 << 3;
    QTest::newRow("defaults") << ReplyCheckRun::defaultPerHostLimit << ReplyCheckRun::defaultTotalLimit << 6;
}

void TestWatchedPosts::keepsConnectionLimits()
{
    QFETCH(int, perHost);
    QFETCH(int, total);
    TestEnvironment environment;
    ScriptedHttpServer first;
    ScriptedHttpServer second;
    QVERIFY(first.start(QHostAddress(QStringLiteral("127.0.0.1"))));
    QVERIFY(second.start(QHostAddress(QStringLiteral("127.0.0.2"))));
    const auto slowPage = [](int size, int ms) {
        return ServerScript{ServerStep::send(ScriptedHttpServer::response({})), ServerStep::pause(ms),
                            ServerStep::send(QByteArray(size, 'r')), ServerStep::close()};
    };
    first.setDefaultScript(slowPage(100, 150));
    second.setDefaultScript(slowPage(100, 150));
    first.setScript("/slowest", slowPage(5000, 400)); // grown, and the last to arrive
    second.setScript("/grown", slowPage(5000, 50));

    WatchedPostList list(environment.folder());
    QStringList urls{first.url("/slowest")};
    for (int i = 0; i < 10; ++i)
        urls << first.url(QStringLiteral("/t%1").arg(i));
    urls << second.url("/a") << second.url("/grown") << second.url("/b");
    for (const QString &url : urls) {
        list.watch(url);
        list.recordSize(url, 100);
    }
    ReplyCheckRun run(list);
    run.setConnectionLimits(perHost, total);
    RunLog log(run);
    run.start();
    if (perHost < total) {
        // The second host is asked while the first host's posts still wait their turn.
        QTRY_VERIFY(second.connectionCount() > 0);
        QVERIFY(first.connectionCount() < 11);
    }
    QTRY_COMPARE_WITH_TIMEOUT(log.finished, 1, 10000);
    // Reported in list order, whatever order the pages arrived in.
    QCOMPARE(log.flagged, (QStringList{first.url("/slowest"), second.url("/grown")}));
    QCOMPARE(log.progress, qMakePair(14, 14));
    QTEST(first.mostOpenConnections(), "mostOnFirst");
    QVERIFY(second.mostOpenConnections() <= std::min(perHost, total));
    QVERIFY(first.mostOpenConnections() + second.mostOpenConnections() <= total + std::min(perHost, total));
}

void TestWatchedPosts::stopEndsRun()
{
    TestEnvironment environment;
    Forum forum;
    forum.setSlowPage("a", 5000, 300);
    QVERIFY(forum.start());
    WatchedPostList list(environment.folder());
    list.watch(forum.url("a"));
    list.recordSize(forum.url("a"), 100);
    ReplyCheckRun run(list);
    RunLog log(run);
    run.start();
    QTRY_COMPARE(forum.server.requests().size(), 1);
    run.stop();
    QVERIFY(!run.isRunning());
    QCOMPARE(log.stopped, 1);
    QCOMPARE(log.status.last(), QStringLiteral("stopped - 0 new replies found"));
    QTRY_COMPARE(forum.server.openConnections(), 0); // the connection is closed, not left behind
    QTest::qWait(400);
    QCOMPARE(log.finished, 0);
    QCOMPARE(log.flagged, QStringList());
}

void TestWatchedPosts::secondStartReplacesRun()
{
    TestEnvironment environment;
    Forum forum;
    forum.setSlowPage("a", 2000, 400);
    forum.setPage("b", 3000);
    QVERIFY(forum.start());
    WatchedPostList list(environment.folder());
    for (const QString &name : {QStringLiteral("a"), QStringLiteral("b")}) {
        list.watch(forum.url(name));
        list.recordSize(forum.url(name), 100);
    }
    ReplyCheckRun run(list);
    RunLog log(run);
    run.start();
    QTRY_VERIFY(forum.server.requests().size() >= 1);
    run.start();
    QTRY_COMPARE(log.finished, 1);
    QTest::qWait(600); // the abandoned first measurement of "a" must not count
    QCOMPARE(log.finished, 1);
    QCOMPARE(log.cleared, 2);
    QCOMPARE(log.flagged, (QStringList{forum.url("a"), forum.url("b")}));
    QCOMPARE(run.newReplies(), 2);
    QCOMPARE(log.status.last(), QStringLiteral("finished - 2 new replies found"));
}

void TestWatchedPosts::followsPostsThroughRemoval_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("slow");
    QTest::addColumn<int>("removeIndex");
    QTest::addColumn<QStringList>("flagged");
    QTest::addColumn<int>("requests");

    // Posts a, b, c; "a" and "b" grew, "c" did not. The removal happens while the slow post is
    // being measured: one post at a time, or all at once, when the posts after the slow one
    // are measured but wait to be reported.
    for (const int limit : {1, ReplyCheckRun::defaultTotalLimit}) {
        const bool one = limit == 1;
        const QString rest = one ? QStringLiteral(", one at a time") : QStringLiteral(", all at once");
        QTest::newRow(qPrintable("a measured, a removed" + rest)) << limit << "a" << 0 << QStringList{"b"} << 3;
        QTest::newRow(qPrintable("a measured, b removed" + rest))
            << limit << "a" << 1 << QStringList{"a"} << (one ? 2 : 3);
        QTest::newRow(qPrintable("a measured, c removed" + rest))
            << limit << "a" << 2 << QStringList{"a", "b"} << (one ? 2 : 3);
        QTest::newRow(qPrintable("b measured, a removed" + rest)) << limit << "b" << 0 << QStringList{"a", "b"} << 3;
        QTest::newRow(qPrintable("b measured, b removed" + rest)) << limit << "b" << 1 << QStringList{"a"} << 3;
        QTest::newRow(qPrintable("b measured, c removed" + rest))
            << limit << "b" << 2 << QStringList{"a", "b"} << (one ? 2 : 3);
    }
}

void TestWatchedPosts::followsPostsThroughRemoval()
{
    QFETCH(int, limit);
    QFETCH(QString, slow);
    QFETCH(int, removeIndex);
    QFETCH(QStringList, flagged);
    TestEnvironment environment;
    Forum forum;
    const QList<qint64> measured{5000, 9000, 1000};
    const QStringList names{"a", "b", "c"};
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i) == slow)
            forum.setSlowPage(names.at(i), measured.at(i), 500);
        else
            forum.setPage(names.at(i), measured.at(i));
    }
    QVERIFY(forum.start());
    WatchedPostList list(environment.folder());
    for (const QString &name : names)
        list.watch(forum.url(name));
    // "a" and "b" were measured at 100, "c" at 1000. Compared with the wrong post's size, "c"
    // would be reported.
    list.recordSize(forum.url("a"), 100);
    list.recordSize(forum.url("b"), 100);
    list.recordSize(forum.url("c"), 1000);
    ReplyCheckRun run(list);
    run.setConnectionLimits(ReplyCheckRun::defaultPerHostLimit, limit);
    RunLog log(run);
    run.start();
    if (limit == 1) {
        QTRY_COMPARE(forum.server.requests().size(), names.indexOf(slow) + 1);
    } else {
        QTRY_COMPARE(forum.server.requests().size(), 3);
        QTest::qWait(150); // the fast pages are in, held behind the slow one
    }
    list.removeAt(removeIndex);
    QTRY_COMPARE(log.finished, 1);
    QStringList expected;
    for (const QString &name : flagged)
        expected << forum.url(name);
    QCOMPARE(log.flagged, expected);
    QCOMPARE(log.status.last(), QStringLiteral("finished - %1 new replies found").arg(flagged.size()));
    QTEST(int(forum.server.requests().size()), "requests");
}

void TestWatchedPosts::rewatchResetsBaseline()
{
    TestEnvironment environment;
    Forum forum;
    forum.setPage("t", 1000);
    QVERIFY(forum.start());
    WatchedPostList list(environment.folder());
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

QTEST_GUILESS_MAIN(TestWatchedPosts)
#include "tst_watchedposts.moc"
