#include "app/datafolder.h"
#include "compose/savedmessage.h"
#include "compose/savedmessagefile.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "testenvironment.h"

#include <QFile>
#include <QtTest>

#include <memory>

namespace {

const QByteArray missing("<missing>");

} // namespace

class TestSavedMessages : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void lineRoundTrip_data();
    void lineRoundTrip();
    void parseLine_data();
    void parseLine();
    void append_data();
    void append();
    void remove_data();
    void remove();
    void readLines_data();
    void readLines();
    void failedWriteKeepsFile_data();
    void failedWriteKeepsFile();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void TestSavedMessages::lineRoundTrip_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("messageBack");
    QTest::addColumn<QString>("subjectBack");

    QTest::newRow("three lines") << "a\r\nb\r\nc"
                                 << "s"
                                 << "a[br]b[br]c|s"
                                 << "a\r\nb\r\nc"
                                 << "s";
    QTest::newRow("empty") << ""
                           << ""
                           << "|"
                           << ""
                           << "";
    QTest::newRow("blank lines") << "a\r\n\r\n"
                                 << ""
                                 << "a[br][br]|"
                                 << "a\r\n\r\n"
                                 << "";
    QTest::newRow("lone breaks") << "a\rb\nc"
                                 << "s"
                                 << "a[br]b[br]c|s"
                                 << "a\r\nb\r\nc"
                                 << "s";
    QTest::newRow("typed marker") << "x[BR]y"
                                  << "s"
                                  << "x[BR]y|s"
                                  << "x\r\ny"
                                  << "s";
    QTest::newRow("bar in message") << "a|b"
                                    << "s"
                                    << "a|b|s"
                                    << "a"
                                    << "b";
    QTest::newRow("break in subject") << "m"
                                      << "s\r\nt"
                                      << "m|s t"
                                      << "m"
                                      << "s t";
}

void TestSavedMessages::lineRoundTrip()
{
    QFETCH(QString, message);
    QFETCH(QString, subject);
    QFETCH(QString, line);
    QFETCH(QString, messageBack);
    QFETCH(QString, subjectBack);
    QCOMPARE(savedMessageLine(message, subject), line);
    const SavedMessage back = parseSavedMessageLine(line);
    QCOMPARE(back.message, messageBack);
    QCOMPARE(back.subject, subjectBack);
    QVERIFY(back.hasSubject);
}

void TestSavedMessages::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("hasSubject");
    QTest::addColumn<QString>("subject");

    QTest::newRow("no bar") << "hand[Br]made"
                            << "hand\r\nmade" << false << "";
    QTest::newRow("empty") << ""
                           << "" << false << "";
    QTest::newRow("only bar") << "|"
                              << "" << true << "";
    QTest::newRow("three pieces") << "m|s|t"
                                  << "m" << true << "s";
    QTest::newRow("marker not split") << "a[b|r]"
                                      << "a[b" << true << "r]";
}

void TestSavedMessages::parseLine()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    QFETCH(bool, hasSubject);
    QFETCH(QString, subject);
    const SavedMessage parsed = parseSavedMessageLine(line);
    QCOMPARE(parsed.message, message);
    QCOMPARE(parsed.hasSubject, hasSubject);
    QCOMPARE(parsed.subject, subject);
}

void TestSavedMessages::append_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    const QByteArray longLine(1 << 20, 'x');
    QTest::newRow("no file") << missing << QByteArray("m|s\r\n");
    QTest::newRow("fresh file") << QByteArray("\r\n") << QByteArray("m|s\r\n");
    QTest::newRow("empty and blank lines go")
        << QByteArray("a|1\r\n\r\n \r\n  \r\nb|2\r\n\r\n") << QByteArray("a|1\r\n  \r\nb|2\r\nm|s\r\n");
    QTest::newRow("no final break") << QByteArray("a|1") << QByteArray("a|1\r\nm|s\r\n");
    QTest::newRow("CR only") << QByteArray("a|1\rb|2\r") << QByteArray("a|1\r\nb|2\r\nm|s\r\n");
    QTest::newRow("LF only") << QByteArray("a|1\nb|2\n") << QByteArray("a|1\r\nb|2\r\nm|s\r\n");
    QTest::newRow("not UTF-8") << QByteArray("caf\xe9|1\r\n") << QByteArray("caf\xc3\xa9|1\r\nm|s\r\n");
    QTest::newRow("UTF-8 kept") << QByteArray("\xe2\x82\xac|1\r\n") << QByteArray("\xe2\x82\xac|1\r\nm|s\r\n");
    QTest::newRow("long line") << longLine + "|1\r\n" << longLine + "|1\r\nm|s\r\n";
    QTest::newRow("same twice") << QByteArray("m|s\r\n") << QByteArray("m|s\r\nm|s\r\n");
}

void TestSavedMessages::append()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    if (before != missing)
        QVERIFY(writeFileBytes(savedMessagesPath(), before));
    QCOMPARE(appendSavedMessage("m", "s"), QString());
    QCOMPARE(readFileBytes(savedMessagesPath()), after);
}

void TestSavedMessages::remove_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("both copies") << QByteArray("m|s\r\na|1\r\nm|s\r\n") << "m|s" << QByteArray("a|1\r\n\r\n");
    QTest::newRow("case-sensitive") << QByteArray("M|s\r\nm|s\r\n") << "m|s" << QByteArray("M|s\r\n\r\n");
    QTest::newRow("empty lines stay") << QByteArray("a|1\r\n\r\nb|2\r\n\r\n") << "b|2"
                                      << QByteArray("a|1\r\n\r\n\r\n\r\n");
    QTest::newRow("no match") << QByteArray("a|1") << "b|2" << QByteArray("a|1\r\n\r\n");
    QTest::newRow("Latin-1 line") << QByteArray("caf\xe9|1\r\nb|2\r\n") << QString::fromLatin1("caf\xe9|1")
                                  << QByteArray("b|2\r\n\r\n");
}

void TestSavedMessages::remove()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, entry);
    QFETCH(QByteArray, after);
    QVERIFY(writeFileBytes(savedMessagesPath(), before));
    QCOMPARE(deleteSavedMessage(entry), QString());
    QCOMPARE(readFileBytes(savedMessagesPath()), after);
}

void TestSavedMessages::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("missing") << missing << int(SavedMessageLines::Missing) << QStringList();
    QTest::newRow("fresh") << QByteArray("\r\n") << int(SavedMessageLines::Read) << QStringList{""};
    QTest::newRow("after delete") << QByteArray("a|1\r\n\r\n") << int(SavedMessageLines::Read)
                                  << QStringList{"a|1", ""};
    QTest::newRow("mixed breaks") << QByteArray("a\rb\nc\r\nd") << int(SavedMessageLines::Read)
                                  << QStringList{"a", "b", "c", "d"};
}

void TestSavedMessages::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    if (bytes != missing)
        QVERIFY(writeFileBytes(savedMessagesPath(), bytes));
    const SavedMessageLines read = readSavedMessages();
    QCOMPARE(int(read.status), status);
    QCOMPARE(read.lines, lines);
}

void TestSavedMessages::failedWriteKeepsFile_data()
{
    QTest::addColumn<bool>("append");
    QTest::newRow("save") << true;
    QTest::newRow("delete") << false;
}

void TestSavedMessages::failedWriteKeepsFile()
{
    QFETCH(bool, append);
    const QByteArray before = "a|1\r\n" + QByteArray(4096, 'x') + "|2\r\n";
    QVERIFY(writeFileBytes(savedMessagesPath(), before));
    QString error;
    {
        const FileSizeLimit limit(100);
        error = append ? appendSavedMessage("m", "s") : deleteSavedMessage("a|1");
    }
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains("messages.txt"), qPrintable(error));
    QCOMPARE(readFileBytes(savedMessagesPath()), before);
}

QTEST_GUILESS_MAIN(TestSavedMessages)
#include "tst_savedmessages.moc"
