// Data-file plumbing: names, existence, line reading, atomic writes and the files made at start.
#include "core/atomicfile.h"
#include "core/buildinfo.h"
#include "core/crlf.h"
#include "core/datafiles.h"
#include "core/datafolder.h"
#include "core/linelist.h"
#include "core/linerules.h"
#include "core/textfile.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTest>
#include <cerrno>
#include <cstring>

class TestDataFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineLists_data();
    void lineLists();
    void unreadListIsNeverSaved();
    void fileNamePart_data();
    void fileNamePart();
    void fileExists();
    void splitTextLines_data();
    void splitTextLines();
    void lineEndings_data();
    void lineEndings();
    void longFilesReadAcrossBlocks();
    void readFailuresAreTold();
    void lineRules_data();
    void lineRules();
    void atomicWriteReplacesWhole();
    void failedWriteKeepsOldFile();
    void writeIntoMissingFolderReports();
    void permissionsApplied();
    void startupFilesCreatedOnce();
    void staleTempFilesRemoved();
    void unwritableProgramFolderFallsBack();
    void dataFolderChoice_data();
    void dataFolderChoice();
    void helpFileLookup_data();
    void helpFileLookup();
};

void TestDataFiles::fileNamePart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("bare name") << "posts.txt"
                               << "posts.txt";
    QTest::newRow("absolute") << "/home/u/posts.txt"
                              << "posts.txt";
    QTest::newRow("trailing slash") << "/home/u/" << QString();
    QTest::newRow("backslash is part of the name") << "/a/b\\c.txt"
                                                   << "b\\c.txt";
}

void TestDataFiles::fileNamePart()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(::fileNamePart(path), name);
}

void TestDataFiles::fileExists()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("Posts.TXT"), "x"));
    QVERIFY(writeFileBytes(env.filePath(".hidden"), "x"));
    QDir(env.dataFolder()).mkdir("folder");

    QVERIFY(::fileExists(env.filePath("Posts.TXT")));
    QVERIFY2(::fileExists(env.filePath("posts.txt")), "letter case is ignored");
    QVERIFY(!::fileExists(env.filePath(".hidden")));
    QVERIFY(!::fileExists(env.filePath("folder")));
    QVERIFY(!::fileExists(env.filePath("folder/")));
    QVERIFY2(!::fileExists(env.filePath("*.TXT")), "a pattern never names a file");
    QVERIFY(!::fileExists(env.filePath("missing.txt")));
    QVERIFY(!::fileExists("/no/such/folder/posts.txt"));
    QVERIFY(!::fileExists(QString()));
}

void TestDataFiles::lineLists_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("entries with empty lines between") << QByteArray("a\r\n\r\nb\r\n\r\n") << QStringList{"a", "b"};
    QTest::newRow("one blank is no entry, two are") << QByteArray("a\r\n \r\n  \r\n") << QStringList{"a", "  "};
    QTest::newRow("mark at the start dropped") << QByteArray("\xef\xbb\xbf"
                                                             "a\r\n")
                                               << QStringList{"a"};
    QTest::newRow("mark later kept") << QByteArray("a\r\n\xef\xbb\xbf"
                                                   "b\r\n")
                                     << QStringList{"a", QChar(0xfeff) + QStringLiteral("b")};
    QTest::newRow("any line end") << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("missing file") << QByteArray() << QStringList{};
}

// What a list writes reads back as the same entries, in either spacing.
void TestDataFiles::lineLists()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    TestEnvironment env;
    const QString path = env.filePath("list.txt");
    if (!bytes.isEmpty())
        QVERIFY(writeFileBytes(path, bytes));
    LineListReader reader;
    QCOMPARE(reader.read(path), entries);
    QVERIFY(reader.mayBeSaved());
    for (const EntrySpacing spacing : {EntrySpacing::Plain, EntrySpacing::EmptyLineAfter}) {
        QVERIFY(writeFileBytes(path, lineListBytes(entries, spacing)));
        QCOMPARE(reader.read(path), entries);
    }
}

void TestDataFiles::unreadListIsNeverSaved()
{
    TestEnvironment env;
    QVERIFY(QDir(env.dataFolder()).mkdir("folder.txt"));
    QVERIFY(writeFileBytes(env.filePath("good.txt"), "a\r\n"));
    LineListReader reader;
    QCOMPARE(reader.read(env.filePath("folder.txt")), QStringList{});
    QCOMPARE(reader.read(env.filePath("good.txt")), QStringList{"a"});
    QVERIFY(!reader.mayBeSaved());
    QVERIFY2(reader.error().contains("folder.txt"), qPrintable(reader.error())); // the first failure
    reader.reset();
    QVERIFY(reader.mayBeSaved());
}

void TestDataFiles::splitTextLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lf only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("cr only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("blank lines kept") << QByteArray("a\r\n\r\n \r\nb") << QStringList{"a", "", " ", "b"};
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9\r\n") << QStringList{QString::fromUtf8("caf\xc3\xa9")};
    QTest::newRow("latin-1 line") << QByteArray("caf\xe9\r\nok\r\n")
                                  << QStringList{QString::fromLatin1("caf\xe9"), "ok"};
    QTest::newRow("mark at file start dropped") << QByteArray("\xef\xbb\xbf"
                                                              "a\r\nb")
                                                << QStringList{"a", "b"};
    QTest::newRow("mark inside the file is text")
        << QByteArray("a\r\n\xef\xbb\xbf"
                      "b\r\n\xef\xbb\xbf\r\n")
        << QStringList{"a", QStringLiteral("\uFEFFb"), QStringLiteral("\uFEFF")};
    QTest::newRow("utf-16, low byte first") << QByteArray("\xff\xfe"
                                                          "a\0\r\0\n\0\xe9\0",
                                                          10)
                                            << QStringList{"a", QString::fromLatin1("\xe9")};
    QTest::newRow("utf-16, high byte first, lone cr") << QByteArray("\xfe\xff\0a\0\r\0b", 8) << QStringList{"a", "b"};
    QTest::newRow("utf-16 cut in half a character") << QByteArray("\xff\xfe"
                                                                  "a\0b",
                                                                  5)
                                                    << QStringList{QStringLiteral("a\uFFFD")};
    QTest::newRow("utf-16 with half a surrogate pair")
        << QByteArray("\xfe\xff\xdf\x28\0a\xd8\x3d\xde\x00", 10) << QStringList{QStringLiteral("\uFFFDa\U0001F600")};
    QTest::newRow("a NUL byte: no text") << QByteArray("a\r\nb\0c\r\n", 7) << QStringList{};
    QTest::newRow("a NUL character in utf-16: no text") << QByteArray("\xff\xfe"
                                                                      "a\0\0\0",
                                                                      6)
                                                        << QStringList{};
}

void TestDataFiles::splitTextLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(::splitTextLines(bytes), lines);
}

void TestDataFiles::lineEndings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("crlf");
    QTest::addColumn<QString>("lf");
    QTest::newRow("lf") << "a\nb"
                        << "a\r\nb"
                        << "a\nb";
    QTest::newRow("crlf stays") << "a\r\nb"
                                << "a\r\nb"
                                << "a\nb";
    QTest::newRow("lone cr") << "a\rb"
                             << "a\r\nb"
                             << "a\nb";
    QTest::newRow("mixed") << "\r\n\n\r"
                           << "\r\n\r\n\r\n"
                           << "\n\n\n";
}

void TestDataFiles::lineEndings()
{
    QFETCH(QString, text);
    QFETCH(QString, crlf);
    QFETCH(QString, lf);
    QCOMPARE(toCrLf(text), crlf);
    QCOMPARE(toLf(text), lf);
}

// A file is read a block at a time: a line, and a CR LF, may lie across two blocks.
void TestDataFiles::longFilesReadAcrossBlocks()
{
    TestEnvironment env;
    const QString path = env.filePath("posts.txt");
    QByteArray bytes = QByteArray((1 << 20) - 1, 'x') + "\r\nnext\r\n" + QByteArray(1 << 20, 'y') + "\r";
    QVERIFY(writeFileBytes(path, bytes));
    QStringList lines;
    QCOMPARE(forEachTextLine(path, [&lines](QString &&line) { lines.append(line); }), TextFileRead::Read);
    QCOMPARE(lines, ::splitTextLines(bytes));
    QCOMPARE(lines.size(), 3);
    QVERIFY(QFile::link("/dev/zero", env.filePath("sizes.txt")));
    QCOMPARE(readTextFile(env.filePath("sizes.txt")).status, TextFileRead::Unreadable); // never ends
}

void TestDataFiles::readFailuresAreTold()
{
    TestEnvironment env;
    QCOMPARE(readTextFile(env.filePath("missing.txt")).status, TextFileRead::Missing);

    // Root reads a mode-000 file, so a folder stands in for a file that cannot be opened, and the
    // process's memory at address 0 for one whose read fails.
    QVERIFY(QDir(env.dataFolder()).mkdir("posts.txt"));
    const TextFileRead folder = readTextFile(env.filePath("posts.txt"));
    QCOMPARE(folder.status, TextFileRead::Unreadable);
    QVERIFY2(folder.error.contains("posts.txt") && !folder.error.endsWith(": "), qPrintable(folder.error));

    QVERIFY(QFile::link("/proc/self/mem", env.filePath("sizes.txt")));
    const TextFileRead broken = readTextFile(env.filePath("sizes.txt"));
    QCOMPARE(broken.status, TextFileRead::Unreadable);
    QVERIFY2(broken.error.contains("sizes.txt"), qPrintable(broken.error));
}

void TestDataFiles::lineRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("fits");
    QTest::newRow("address") << "address"
                             << "https://forum.example.org/t/1?page=2#p3" << true;
    QTest::newRow("address with a blank the browser decoded") << "address"
                                                              << "http://f.example/My Topic" << true;
    QTest::newRow("address typed without its scheme") << "address"
                                                      << "forum.example.org/t/1" << true;
    QTest::newRow("host with its port") << "address"
                                        << "localhost:8080/t/1" << true;
    QTest::newRow("about:blank") << "address"
                                 << "about:blank" << true;
    QTest::newRow("an account line") << "address"
                                     << "root:x:0:0:root:/root:/bin/bash" << false;
    QTest::newRow("a setting with an address in it") << "address"
                                                     << "HOME_URL=\"https://www.example.org/\"" << false;
    QTest::newRow("words") << "address"
                           << "127.0.0.1 localhost" << false;
    QTest::newRow("a control character") << "address" << QString("http://a/\x01") << false;
    QTest::newRow("number") << "number"
                            << " 20480 " << true;
    QTest::newRow("negative number") << "number"
                                     << "-1" << true;
    QTest::newRow("no number") << "number"
                               << "12 kB" << false;
    QTest::newRow("forum") << "forum"
                           << "http://f.example/|ann|p|w" << true;
    QTest::newRow("forum without a login") << "forum"
                                           << "http://f.example/" << true;
    QTest::newRow("baseline") << "baseline"
                              << "member|12 15|http://a/1" << true;
    QTest::newRow("baseline of words") << "baseline"
                                       << "a|b|c" << false;
    QTest::newRow("saved message") << "message"
                                   << "Hello[br]there|Subject" << true;
    QTest::newRow("no subject") << "message"
                                << "Hello there" << false;
}

void TestDataFiles::lineRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, line);
    QFETCH(bool, fits);
    const QMap<QString, LineRule> rules{{"address", looksLikeAddress},
                                        {"number", looksLikeNumber},
                                        {"forum", looksLikeForumLogin},
                                        {"baseline", looksLikeBaseline},
                                        {"message", looksLikeSavedMessage}};
    QCOMPARE(rules.value(rule)(line), fits);
}

void TestDataFiles::atomicWriteReplacesWhole()
{
    TestEnvironment env;
    const QString path = env.filePath("posts.txt");
    QVERIFY(writeFileBytes(path, "a much longer old content than the new one\r\n"));
    QCOMPARE(writeFileAtomically(path, "new\r\n"), QString());
    QCOMPARE(readFileBytes(path), QByteArray("new\r\n"));
}

void TestDataFiles::failedWriteKeepsOldFile()
{
    TestEnvironment env;
    const QString path = env.filePath("sizes.txt");
    QVERIFY(writeFileBytes(path, "old\r\n"));
    QString error;
    {
        FileSizeLimit limit(64);
        error = writeFileAtomically(path, QByteArray(4096, 'x'));
    }
    QVERIFY2(!error.isEmpty(), "a failed write is reported");
    QVERIFY2(error.contains("sizes.txt"), qPrintable(error));
    QVERIFY2(error.contains(QString::fromLocal8Bit(strerror(EFBIG))), qPrintable(error));
    QCOMPARE(readFileBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(env.dataFolder()).entryList(QDir::Files), QStringList{"sizes.txt"});
}

void TestDataFiles::writeIntoMissingFolderReports()
{
    QFileDevice::FileError code = QFileDevice::NoError;
    const QString error = writeFileAtomically("/no/such/folder/posts.txt", "x", {}, &code);
    QVERIFY(error.contains("posts.txt"));
    QVERIFY(code != QFileDevice::NoError);
}

void TestDataFiles::permissionsApplied()
{
    TestEnvironment env;
    const QString path = env.filePath("posts2.txt");
    QVERIFY(writeFileBytes(path, "old"));
    QFile::setPermissions(path, QFileDevice::Permissions(0x6644));
    QCOMPARE(writeFileAtomically(path, "new", QFileDevice::ReadOwner | QFileDevice::WriteOwner), QString());
    const QFileDevice::Permissions others =
        QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    QCOMPARE(QFile::permissions(path) & others, QFileDevice::Permissions());
}

void TestDataFiles::startupFilesCreatedOnce()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("messages.txt"), "kept|s\r\n"));
    QCOMPARE(ensureDataFiles(env.folder()), QStringList());
    for (const QString &name : startupDataFiles()) {
        const QByteArray expected = name == "messages.txt" ? QByteArray("kept|s\r\n") : QByteArray("\r\n");
        QCOMPARE(readFileBytes(env.filePath(name)), expected);
    }
    QCOMPARE(ensureDataFiles(env.folder()), QStringList());
}

void TestDataFiles::staleTempFilesRemoved()
{
    TestEnvironment env;
    const QStringList ours{"posts2.txt.Ab3dEf", "posts.txt.new.x1y2z3", "posts.journal.QWErty"};
    const QStringList users{"posts.txt.backup", "notes.txt.Ab3dEf", "posts2.txt.Ab3dEf7"};
    for (const QString &name : ours + users)
        QVERIFY(writeFileBytes(env.filePath(name), "x"));
    QCOMPARE(ensureDataFiles(env.folder()), QStringList());
    for (const QString &name : ours)
        QVERIFY2(!QFile::exists(env.filePath(name)), qPrintable(name));
    for (const QString &name : users)
        QVERIFY2(QFile::exists(env.filePath(name)), qPrintable(name));
}

void TestDataFiles::unwritableProgramFolderFallsBack()
{
    TestEnvironment env;
    const QString chosen = chooseDataFolder("/no/such/program/folder");
    QVERIFY(chosen != "/no/such/program/folder");
    QVERIFY(QDir(chosen).exists());
    QVERIFY(writeFileBytes(env.filePath("posts.txt"), "\r\n"));
    QCOMPARE(chooseDataFolder(env.dataFolder()), env.dataFolder());
}

void TestDataFiles::dataFolderChoice_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("programFolderChosen");

    // A fresh build or install keeps its data in the per-user folder, so cleaning the build
    // cannot take it; a folder that already keeps the data files goes on keeping them.
    QTest::newRow("fresh build") << QStringList{"Help.rtf", "threadloom"} << false << false;
    QTest::newRow("holds the watched posts") << QStringList{"posts.txt"} << false << true;
    QTest::newRow("holds saved messages only") << QStringList{"messages.txt"} << false << true;
    QTest::newRow("a folder named like a data file") << QStringList{"posts.txt/"} << false << false;
    QTest::newRow("holds data but read-only") << QStringList{"posts2.txt"} << true << false;
}

void TestDataFiles::dataFolderChoice()
{
    QFETCH(QStringList, files);
    QFETCH(bool, readOnly);
    QFETCH(bool, programFolderChosen);

    TestEnvironment env;
    for (const QString &name : files) {
        if (name.endsWith('/'))
            QVERIFY(QDir(env.dataFolder()).mkdir(name));
        else
            QVERIFY(writeFileBytes(env.filePath(name), "\r\n"));
    }
    QFile folder(env.dataFolder());
    const QFile::Permissions permissions = folder.permissions();
    if (readOnly) {
        QVERIFY(folder.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        if (writeFileBytes(env.filePath("probe"), "x")) {
            folder.setPermissions(permissions);
            QSKIP("permissions do not bind this user (root)");
        }
    }
    const QString chosen = chooseDataFolder(env.dataFolder());
    folder.setPermissions(permissions);
    QCOMPARE(chosen == env.dataFolder(), programFolderChosen);
    QVERIFY(QDir(chosen).exists());
}

void TestDataFiles::helpFileLookup_data()
{
    QTest::addColumn<QStringList>("holders");
    QTest::addColumn<QString>("found");

    // data: the data folder; bin: the program's folder; share: PREFIX/share/threadloom.
    QTest::newRow("nowhere: the data folder's path") << QStringList{} << "data";
    QTest::newRow("data folder first") << QStringList{"data", "bin", "share"} << "data";
    QTest::newRow("beside the program") << QStringList{"bin", "share"} << "bin";
    QTest::newRow("installed program") << QStringList{"share"} << "share";
}

void TestDataFiles::helpFileLookup()
{
    QFETCH(QStringList, holders);
    QFETCH(QString, found);

    TestEnvironment env;
    const QString root = env.dataFolder();
    const QString programFolder = root + "/bin";
    const QMap<QString, QString> folders{
        {"data", root + "/data"},
        {"bin", programFolder},
        {"share", QDir::cleanPath(programFolder + "/" THREADLOOM_SHARED_DATA_FROM_PROGRAM)}};
    for (const QString &folder : folders)
        QVERIFY(QDir().mkpath(folder));
    for (const QString &holder : holders)
        QVERIFY(writeFileBytes(folders.value(holder) + "/Help.rtf", "{\\rtf1}"));
    QCOMPARE(helpFilePath(folders.value("data"), programFolder), folders.value(found) + "/Help.rtf");
}

QTEST_APPLESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
