// Odd data files against their readers: other encodings, files that are no such list, files that
// others may read, files behind links. What the user is shown, what they are told, and what is
// left of the file after a change is saved.
#include "browser/forumloginlist.h"
#include "compose/savedmessagefile.h"
#include "core/datafiles.h"
#include "filebytes.h"
#include "testenvironment.h"
#include "watch/watchedpostlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTest>

namespace {
const QByteArray goodPosts = "http://a.example/1\r\n\r\nhttp://a.example/2\r\n\r\n";
const QByteArray goodSizes = "100\r\n\r\n200\r\n\r\n";
const QStringList goodPairs{"http://a.example/1=100", "http://a.example/2=200"};

QByteArray utf16(const QString &text, bool littleEndian)
{
    QStringEncoder encoder(littleEndian ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                           QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

// Octal mode bits as Qt's permissions (its owner and user bits are the same for our own files).
QFileDevice::Permissions mode(int bits)
{
    const int owner = (bits >> 6) & 7;
    return QFileDevice::Permissions::fromInt((owner << 12) | (owner << 8) | (((bits >> 3) & 7) << 4) | (bits & 7));
}

// The user, group and other bits of path's mode, as mode() gives them.
int modeOf(const QString &path)
{
    return int((QFile::permissions(path) & QFileDevice::Permissions::fromInt(0x0777)).toInt());
}

// Starts as the program does on the data folder, changes the list that reads file and saves it.
// Returns what the list shows and, in warning, what the user is told.
QStringList startAndChange(const DataFolder &folder, const QString &file, QString &warning)
{
    warning = ensureDataFiles(folder).join('\n');
    QStringList shown;
    if (file == "posts2.txt") {
        ForumLoginList logins(folder);
        warning += logins.load();
        for (int i = 0; i < logins.count(); ++i)
            shown << logins.at(i).url;
        logins.add("http://new.example/");
        logins.save();
        return shown;
    }
    if (file == "messages.txt") {
        const QString messages = folder.filePath(savedMessagesFileName);
        const SavedMessageLines read = readSavedMessages(messages);
        warning += read.error;
        for (const QString &line : read.lines) {
            if (!line.isEmpty())
                shown << line;
        }
        appendSavedMessage(messages, "new", "subject");
        return shown;
    }
    WatchedPostList posts(folder);
    warning += posts.load();
    for (const WatchedPost &post : posts.posts())
        shown << post.url + "=" + post.size;
    posts.watch("http://new.example/t/1");
    return shown;
}
} // namespace

class TestOddFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oddFilesAgainstReaders_data();
    void oddFilesAgainstReaders();
};

void TestOddFiles::oddFilesAgainstReaders_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("modeBefore"); // 0: as the system makes it
    QTest::addColumn<bool>("behindLink");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("told"); // part of the warning, or empty for none
    QTest::addColumn<bool>("kept");    // the file's bytes are as they were after the change
    QTest::addColumn<int>("modeAfter");

    const QString passwd = "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n"
                           "bin:x:2:2:bin:/bin:/usr/sbin/nologin\n";
    const QByteArray program("\x7f"
                             "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0",
                             20);

    QTest::newRow("posts.txt in UTF-16 with its mark")
        << "posts.txt" << utf16("http://a.example/1\r\n\r\nhttp://a.example/2\r\n\r\n", true) << 0 << false << goodPairs
        << QString() << false << 0644;
    QTest::newRow("posts2.txt in UTF-16, high byte first")
        << "posts2.txt" << utf16(QString::fromUtf8("http://f.example/|\xc3\xa9mile|pw\r\n\r\n"), false) << 0600 << false
        << QStringList{"http://f.example/"} << QString() << false << 0600;
    QTest::newRow("posts.txt that is a program")
        << "posts.txt" << program << 0 << false << QStringList() << "posts.txt: it is not a text file" << true << 0644;
    QTest::newRow("posts.txt that is a list of accounts")
        << "posts.txt" << passwd.toUtf8() << 0 << false << QStringList()
        << "posts.txt: most of its lines are not web addresses" << true << 0644;
    QTest::newRow("sizes.txt of words") << "sizes.txt" << QByteArray("ten\r\ntwenty\r\n") << 0 << false
                                        << QStringList{"http://a.example/1=0", "http://a.example/2=0"}
                                        << "sizes.txt: most of its lines are not page" << true << 0644;
    QTest::newRow("postnumbers.txt that is a program: told, kept, the posts still saved")
        << "postnumbers.txt" << program << 0 << false << goodPairs << "postnumbers.txt: it is not a text file" << true
        << 0644;
    QTest::newRow("posts2.txt of accounts") << "posts2.txt" << passwd.toUtf8() << 0600 << false << QStringList()
                                            << "posts2.txt: most of its lines are not forums" << true << 0600;
    QTest::newRow("messages.txt that is a program") << "messages.txt" << program << 0 << false << QStringList()
                                                    << "messages.txt: it is not a text file" << true << 0644;
    QTest::newRow("one stray line is shown and kept")
        << "posts.txt" << QByteArray("http://a.example/1\r\n\r\nsome words\r\n\r\nhttp://a.example/2\r\n\r\n") << 0
        << false << QStringList{"http://a.example/1=100", "some words=200", "http://a.example/2=0"} << QString()
        << false << 0644;
    QTest::newRow("posts2.txt that others may read is made owner-only")
        << "posts2.txt" << QByteArray("http://f.example/|ann|pw\r\n") << 0644 << false
        << QStringList{"http://f.example/"} << QString() << false << 0600;
    QTest::newRow("posts2.txt behind a link: the file it leads to is written, owner-only")
        << "posts2.txt" << QByteArray("http://f.example/|ann|pw\r\n") << 0644 << true
        << QStringList{"http://f.example/"} << QString() << false << 0600;
    QTest::newRow("posts2.txt behind a link to accounts: not written, its mode left alone")
        << "posts2.txt" << passwd.toUtf8() << 0644 << true << QStringList()
        << "posts2.txt: most of its lines are not forums" << true << 0644;
    QTest::newRow("posts.txt behind a link keeps the link and its mode")
        << "posts.txt" << goodPosts << 0640 << true << goodPairs << QString() << false << 0640;
    QTest::newRow("messages.txt behind a link keeps the link and its mode")
        << "messages.txt" << QByteArray("hello|there\r\n") << 0640 << true << QStringList{"hello|there"} << QString()
        << false << 0640;
}

void TestOddFiles::oddFilesAgainstReaders()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(int, modeBefore);
    QFETCH(bool, behindLink);
    QFETCH(QStringList, shown);
    QFETCH(QString, told);
    QFETCH(bool, kept);
    QFETCH(int, modeAfter);

    TestEnvironment env;
    QTemporaryDir elsewhere;
    QVERIFY(writeFileBytes(env.filePath("posts.txt"), goodPosts));
    QVERIFY(writeFileBytes(env.filePath("sizes.txt"), goodSizes));
    // Where the row's file really is: in the data folder, or in another folder a link leads to.
    const QString real = behindLink ? elsewhere.filePath(file) : env.filePath(file);
    if (behindLink)
        QFile::remove(env.filePath(file));
    QVERIFY(writeFileBytes(real, bytes));
    if (modeBefore)
        QVERIFY(QFile::setPermissions(real, mode(modeBefore)));
    if (behindLink)
        QVERIFY(QFile::link(real, env.filePath(file)));
    QVERIFY(QFile::setPermissions(env.dataFolder(), mode(0755)));

    QString warning;
    QCOMPARE(startAndChange(env.folder(), file, warning), shown);
    if (told.isEmpty())
        QVERIFY2(warning.isEmpty(), qPrintable(warning));
    else
        QVERIFY2(warning.contains(told), qPrintable(warning));
    QCOMPARE(readFileBytes(real) == bytes, kept);
    QCOMPARE(QFileInfo(env.filePath(file)).isSymLink(), behindLink);
    QCOMPARE(modeOf(real), int(mode(modeAfter).toInt() & 0x0777));
    QCOMPARE(modeOf(env.dataFolder()), int(mode(0700).toInt() & 0x0777));
    // Nothing of a save is left beside the file.
    QCOMPARE(QDir(QFileInfo(real).absolutePath()).entryList({file + ".*"}, QDir::Files), QStringList());
}

QTEST_APPLESS_MAIN(TestOddFiles)
#include "tst_oddfiles.moc"
