// Templates in the settings store, format names and their matching, and messages.txt.
// (How a stored line splits into message and subject is tested through the saved-messages window.)
#include "compose/savedmessage.h"
#include "compose/savedmessagefile.h"
#include "compose/templateset.h"
#include "compose/templatesettings.h"
#include "core/settingsstore.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "testenvironment.h"

#include <QtTest>

#include <memory>

namespace {

const QByteArray missing("<missing>");

TemplateSet namedSlots(const QStringList &names)
{
    TemplateSet set;
    for (int s = 0; s < names.size(); ++s)
        set.entries[s] = {names[s], QStringLiteral("<%1:").arg(s), "|", ">", "m:", "", ""};
    return set;
}

} // namespace

class TestComposeData : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void freshStoreGivesDefaults();
    void saveThenLoadKeepsEveryValue();
    void formatChoice_data();
    void formatChoice();

    void readLine_data();
    void readLine();
    void append_data();
    void append();
    void subjectWithBarRefused();
    void remove_data();
    void remove();
    void failedWriteKeepsFile_data();
    void failedWriteKeepsFile();

private:
    QString messagesFile() const { return m_env->filePath(savedMessagesFileName); }

    std::unique_ptr<TestEnvironment> m_env;
};

void TestComposeData::freshStoreGivesDefaults()
{
    const TemplateSet loaded = loadTemplates(m_env->settings());
    QCOMPARE(formatNames(loaded), QStringList({"text", "html", "ubb", "ezboard"}));
    const LinkRules classic = LinkRules::Classic;
    QCOMPARE(convertMessage("j@h", "html", loaded, classic), QString("<a href='mailto:j@h'>j@h</a>"));
    QCOMPARE(convertMessage("http://h", "ubb", loaded, classic), QString("[url=http://h]http://h[/url]"));
    QCOMPARE(convertMessage("http://h", "ezboard", loaded, classic), QString("[link=http://h]http://h[/link]"));

    // A store an earlier version wrote holds the five fields of each slot and nothing of the
    // e-mail codes: those come from the defaults, the rest as stored.
    m_env->settings().write("data", "ubbMailCall01", "mail:");
    m_env->settings().write("data", "cust01Name", "mine");
    const TemplateSet older = loadTemplates(m_env->settings());
    QCOMPARE(older.entries[1].mailCall01, QString("mail:"));
    QCOMPARE(older.entries[1].mailOpen01 + older.entries[1].mailClose01, QString("[email][/email]"));
    QCOMPARE(older.entries[3].mailOpen01 + older.entries[3].mailClose01, QString());
}

void TestComposeData::saveThenLoadKeepsEveryValue()
{
    TemplateSet set;
    for (int s = 0; s < TemplateSet::slotCount; ++s) {
        LinkTemplate &t = set.entries[s];
        t = {QString("n%1").arg(s), QString("o%1").arg(s), QString("m%1").arg(s), QString("c%1").arg(s),
             QString("e%1").arg(s), QString("f%1").arg(s), QString("g%1").arg(s)};
    }
    set.entries[0].name.clear();       // an emptied default name must come back empty
    set.entries[1].mailOpen01.clear(); // so must an emptied e-mail code
    set.minutes = {"m0", "m1", "m2"};
    set.seconds = {"s0", "s1", "s2"};
    saveTemplates(m_env->settings(), set);
    QCOMPARE(loadTemplates(m_env->settings()), set);
    // The store is shared with earlier installs: the key names must not drift.
    QCOMPARE(m_env->settings().read("data", "ezLinkOpen02", "?"), QString("m2"));
    QCOMPARE(m_env->settings().read("data", "cust01LinkClose01", "?"), QString("c3"));
    QCOMPARE(m_env->settings().read("data", "cust05MailCall01", "?"), QString("e7"));
    QCOMPARE(m_env->settings().read("data", "ezMailOpen01", "?"), QString("f2"));
    QCOMPARE(m_env->settings().read("data", "cust05MailClose01", "?"), QString("g7"));
    QCOMPARE(m_env->settings().read("data", "seconds2", "?"), QString("s2"));
}

void TestComposeData::formatChoice_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("converted");

    const QStringList defaults{"html", "ubb", "ezboard"};
    const QStringList listed{"text", "html", "ubb", "ezboard"};
    // clang-format off
    QTest::newRow("text leaves it") << defaults << listed << "text" << "see http://h";
    QTest::newRow("third slot") << defaults << listed << "ezboard" << "see <2:http://h|http://h>";
    QTest::newRow("case matters") << defaults << listed << "HTML" << "see http://h";
    QTest::newRow("no trimming") << defaults << listed << "html " << "see http://h";
    QTest::newRow("gaps close up") << QStringList{"", "ubb", "", "", "", "", "", "z"} << QStringList{"text", "ubb", "z"} << "z" << "see <7:http://h|http://h>";
    QTest::newRow("lower slot wins") << QStringList{"a", "b", "b"} << QStringList{"text", "a", "b", "b"} << "b" << "see <1:http://h|http://h>";
    QTest::newRow("custom named text") << QStringList{"", "", "", "text"} << QStringList{"text", "text"} << "text" << "see <3:http://h|http://h>";
    QTest::newRow("empty name never chosen") << QStringList{"", "x"} << QStringList{"text", "x"} << "" << "see http://h";
    // clang-format on
}

void TestComposeData::formatChoice()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, listed);
    QFETCH(QString, selected);
    QFETCH(QString, converted);
    const TemplateSet set = namedSlots(names);
    QCOMPARE(formatNames(set), listed);
    QCOMPARE(convertMessage("see http://h", selected, set, LinkRules::Modern), converted);
}

void TestComposeData::readLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("hasSubject");
    // clang-format off
    QTest::newRow("older line") << "a[br]b|s" << "a\r\nb" << "s" << true;
    QTest::newRow("no bar") << "a[BR]b" << "a\r\nb" << "" << false;
    QTest::newRow("empty record") << "|" << "" << "" << true;
    QTest::newRow("bar in the message") << "price a|b[br]line two|Subject" << "price a|b\r\nline two" << "Subject" << true;
    QTest::newRow("mark starting the message") << "\uFEFFm|s" << "\uFEFFm" << "s" << true;
    // clang-format on
}

void TestComposeData::readLine()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    QFETCH(QString, subject);
    QFETCH(bool, hasSubject);
    const SavedMessage saved = parseSavedMessageLine(line);
    QCOMPARE(saved.message, message);
    QCOMPARE(saved.subject, subject);
    QCOMPARE(saved.hasSubject, hasSubject);
    if (hasSubject) {
        // What the program writes reads back the same, through the file.
        QCOMPARE(appendSavedMessage(messagesFile(), message, subject), QString());
        const SavedMessage again = parseSavedMessageLine(readSavedMessages(messagesFile()).lines.last());
        QCOMPARE(again.message, message);
        QCOMPARE(again.subject, subject);
    }
}

void TestComposeData::subjectWithBarRefused()
{
    QVERIFY(writeFileBytes(messagesFile(), "m|s\r\n"));
    const QString error = appendSavedMessage(messagesFile(), "m", "a|b");
    QVERIFY2(error.contains("\"|\""), qPrintable(error));
    QCOMPARE(readFileBytes(messagesFile()), QByteArray("m|s\r\n"));
}

void TestComposeData::append_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QByteArray>("after");

    const QByteArray longLine(1 << 20, 'x');
    // clang-format off
    QTest::newRow("no file") << missing << "a\r\nb" << "s" << QByteArray("a[br]b|s\r\n");
    QTest::newRow("fresh file") << QByteArray("\r\n") << "" << "" << QByteArray("|\r\n");
    QTest::newRow("empty and one-blank lines go") << QByteArray("a|1\r\n\r\n \r\n  \r\n") << "m" << "s" << QByteArray("a|1\r\n  \r\nm|s\r\n");
    QTest::newRow("no final break") << QByteArray("a|1") << "m" << "s" << QByteArray("a|1\r\nm|s\r\n");
    QTest::newRow("CR only, LF only") << QByteArray("a|1\rb|2\nc|3\n") << "m" << "s" << QByteArray("a|1\r\nb|2\r\nc|3\r\nm|s\r\n");
    QTest::newRow("not UTF-8") << QByteArray("caf\xe9|1\r\n") << "m" << "s" << QByteArray("caf\xc3\xa9|1\r\nm|s\r\n");
    QTest::newRow("long line") << longLine + "|1\r\n" << "m" << "s" << longLine + "|1\r\nm|s\r\n";
    QTest::newRow("lone breaks kept") << missing << "a\rb\nc" << "s" << QByteArray("a[br]b[br]c|s\r\n");
    QTest::newRow("break in subject") << missing << "m" << "s\r\nt" << QByteArray("m|s t\r\n");
    // clang-format on
}

void TestComposeData::append()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, message);
    QFETCH(QString, subject);
    QFETCH(QByteArray, after);
    if (before != missing)
        QVERIFY(writeFileBytes(messagesFile(), before));
    QCOMPARE(appendSavedMessage(messagesFile(), message, subject), QString());
    QCOMPARE(readFileBytes(messagesFile()), after);
}

void TestComposeData::remove_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("after");

    // clang-format off
    QTest::newRow("every copy") << QByteArray("m|s\r\na|1\r\nm|s\r\n") << "m|s" << QByteArray("a|1\r\n\r\n");
    QTest::newRow("case-sensitive, empties stay") << QByteArray("M|s\r\n\r\nm|s") << "m|s" << QByteArray("M|s\r\n\r\n\r\n");
    QTest::newRow("Latin-1 line") << QByteArray("caf\xe9|1\r\nb|2\r\n") << QString::fromLatin1("caf\xe9|1") << QByteArray("b|2\r\n\r\n");
    // clang-format on
}

void TestComposeData::remove()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, entry);
    QFETCH(QByteArray, after);
    QVERIFY(writeFileBytes(messagesFile(), before));
    QCOMPARE(deleteSavedMessage(messagesFile(), entry), QString());
    QCOMPARE(readFileBytes(messagesFile()), after);
    QCOMPARE(readSavedMessages(messagesFile()).lines.last(), QString()); // the list then ends with an empty entry
}

void TestComposeData::failedWriteKeepsFile_data()
{
    QTest::addColumn<bool>("append");
    // clang-format off
    QTest::newRow("save") << true;
    QTest::newRow("delete") << false;
    // clang-format on
}

void TestComposeData::failedWriteKeepsFile()
{
    QFETCH(bool, append);
    const QByteArray before = "a|1\r\n" + QByteArray(4096, 'x') + "|2\r\n";
    QVERIFY(writeFileBytes(messagesFile(), before));
    QString error;
    {
        const FileSizeLimit limit(100);
        error = append ? appendSavedMessage(messagesFile(), "m", "s") : deleteSavedMessage(messagesFile(), "a|1");
    }
    QVERIFY2(error.contains("messages.txt"), qPrintable(error));
    QCOMPARE(readFileBytes(messagesFile()), before);
}

QTEST_GUILESS_MAIN(TestComposeData)
#include "tst_composedata.moc"
