#include "testenvironment.h"
#include "watch/watchedpostlist.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList pairs(const WatchedPostList &list)
{
    QStringList out;
    for (const WatchedPost &post : list.posts())
        out << post.url + QLatin1Char('=') + post.size;
    return out;
}

// Runs "watch URL", "record URL SIZE" and "remove INDEX" commands against the list.
void apply(WatchedPostList &list, const QString &command)
{
    const QStringList words = command.split(QLatin1Char(' '));
    const QString verb = words.value(0);
    if (verb == QLatin1String("watch"))
        list.watch(command.mid(6));
    else if (verb == QLatin1String("record"))
        list.recordSize(words.value(1), words.value(2).toLongLong());
    else if (verb == QLatin1String("remove"))
        list.removeAt(words.value(1).toInt());
    else
        QFAIL(qPrintable(QStringLiteral("unknown command ") + command));
}

} // namespace

// The watched posts and their two files.
class TestWatchedPostList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsFiles_data();
    void readsFiles();
    void writesAfterEveryChange_data();
    void writesAfterEveryChange();
    void reportsWriteFailure();
    void sizeValues_data();
    void sizeValues();
};

void TestWatchedPostList::readsFiles_data()
{
    QTest::addColumn<QByteArray>("postsFile");
    QTest::addColumn<QByteArray>("sizesFile");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("written form") << QByteArray("a\r\n\r\nb\r\n\r\nc\r\n\r\n")
                                  << QByteArray("1\r\n\r\n2\r\n\r\n3\r\n\r\n") << QStringList{"a=1", "b=2", "c=3"};
    QTest::newRow("fresh files") << QByteArray("\r\n") << QByteArray("\r\n") << QStringList();
    QTest::newRow("size that is not a number keeps its place")
        << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("1\r\nlots\r\n3\r\n") << QStringList{"a=1", "b=lots", "c=3"};
    QTest::newRow("more sizes than posts")
        << QByteArray("a\r\nb\r\n") << QByteArray("1\r\n2\r\n3\r\n4\r\n") << QStringList{"a=1", "b=2"};
    QTest::newRow("fewer sizes than posts")
        << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("1\r\n") << QStringList{"a=1", "b=0", "c=0"};
    QTest::newRow("sizes file missing") << QByteArray("a\r\n") << QByteArray() << QStringList{"a=0"};
    QTest::newRow("one blank skipped, two blanks kept")
        << QByteArray("a\r\n \r\n  \r\n") << QByteArray("1\r\n \r\n2\r\n") << QStringList{"a=1", "  =2"};
}

void TestWatchedPostList::readsFiles()
{
    QFETCH(QByteArray, postsFile);
    QFETCH(QByteArray, sizesFile);
    TestEnvironment environment;
    QVERIFY(writeBytes(environment.filePath("posts.txt"), postsFile));
    if (!sizesFile.isEmpty())
        QVERIFY(writeBytes(environment.filePath("sizes.txt"), sizesFile));

    WatchedPostList list;
    list.load();
    QTEST(pairs(list), "expected");
}

void TestWatchedPostList::writesAfterEveryChange_data()
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
        << QByteArray() << QByteArray() << QStringList{"watch   "} << QStringList{"  =0"};
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
    QTest::newRow("surplus sizes dropped by the next change")
        << QByteArray("a\r\n") << sizes << QStringList{"watch b"} << QStringList{"a=10", "b=0"};
}

void TestWatchedPostList::writesAfterEveryChange()
{
    QFETCH(QByteArray, postsFile);
    QFETCH(QByteArray, sizesFile);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, expected);
    TestEnvironment environment;
    QVERIFY(writeBytes(environment.filePath("posts.txt"), postsFile));
    QVERIFY(writeBytes(environment.filePath("sizes.txt"), sizesFile));

    WatchedPostList list;
    list.load();
    QSignalSpy failures(&list, &WatchedPostList::saveFailed);
    for (const QString &command : commands)
        apply(list, command);
    QCOMPARE(pairs(list), expected);
    QCOMPARE(failures.count(), 0);

    // What a crash right now would leave behind reads back the same.
    WatchedPostList reread;
    reread.load();
    QCOMPARE(pairs(reread), expected);

    // Both files in their written form, one entry each per post.
    QByteArray posts;
    QByteArray sizes;
    for (const WatchedPost &post : list.posts()) {
        posts += post.url.toUtf8() + "\r\n\r\n";
        sizes += post.size.toUtf8() + "\r\n\r\n";
    }
    QCOMPARE(readBytes(environment.filePath("posts.txt")), posts);
    QCOMPARE(readBytes(environment.filePath("sizes.txt")), sizes);
}

void TestWatchedPostList::reportsWriteFailure()
{
    TestEnvironment environment;
    // A folder where the file should be cannot be replaced by a file, not even by root.
    QVERIFY(QDir(environment.dataFolder()).mkdir("sizes.txt"));
    WatchedPostList list;
    list.load();
    QSignalSpy failures(&list, &WatchedPostList::saveFailed);
    list.watch("http://forum.example.org/t/1");
    QCOMPARE(failures.count(), 1);
    QVERIFY2(failures.first().first().toString().contains("sizes.txt"),
             qPrintable(failures.first().first().toString()));
    // The post is still watched for this run, and the other file was written.
    QCOMPARE(list.count(), 1);
    QCOMPARE(readBytes(environment.filePath("posts.txt")), QByteArray("http://forum.example.org/t/1\r\n\r\n"));
}

void TestWatchedPostList::sizeValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("number") << "20480" << qint64(20480);
    QTest::newRow("blanks around") << " 12 " << qint64(12);
    QTest::newRow("beyond 32 bits") << "5000000000" << qint64(5000000000LL);
    QTest::newRow("not a number") << "lots" << qint64(0);
    QTest::newRow("number with tail") << "12kB" << qint64(0);
    QTest::newRow("empty") << "" << qint64(0);
}

void TestWatchedPostList::sizeValues()
{
    QFETCH(QString, text);
    QTEST(WatchedPostList::sizeValue(text), "value");
}

QTEST_GUILESS_MAIN(TestWatchedPostList)
#include "tst_watchedpostlist.moc"
