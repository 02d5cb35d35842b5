#include "app/settingsstore.h"
#include "compose/templateset.h"
#include "compose/templatesettings.h"
#include "testenvironment.h"

#include <QtTest>

#include <memory>

namespace {

QString &field(LinkTemplate &slot, int index)
{
    switch (index) {
    case 0: return slot.name;
    case 1: return slot.linkOpen01;
    case 2: return slot.linkOpen02;
    case 3: return slot.linkClose01;
    default: return slot.mailCall01;
    }
}

// Every value different, so a value read from or written to the wrong key shows.
TemplateSet distinctTemplates()
{
    TemplateSet set;
    for (int s = 0; s < TemplateSet::slotCount; ++s) {
        for (int f = 0; f < 5; ++f)
            field(set.entries[s], f) = QStringLiteral("v%1.%2").arg(s).arg(f);
    }
    for (int i = 0; i < 3; ++i) {
        set.minutes[i] = QStringLiteral("m%1").arg(i);
        set.seconds[i] = QStringLiteral("s%1").arg(i);
    }
    return set;
}

TemplateSet namedSlots(const QStringList &names)
{
    TemplateSet set;
    for (int s = 0; s < names.size(); ++s)
        set.entries[s] = {names[s], QStringLiteral("<%1:").arg(s), QStringLiteral("|"), QStringLiteral(">"),
                          QStringLiteral("m:")};
    return set;
}

} // namespace

class TestTemplates : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void freshStoreGivesDefaults();
    void storedValueWins_data();
    void storedValueWins();
    void keysOfEachSlot_data();
    void keysOfEachSlot();
    void saveThenLoadKeepsEverything();
    void formatNames_data();
    void formatNames();
    void convertMessage_data();
    void convertMessage();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void TestTemplates::freshStoreGivesDefaults()
{
    const TemplateSet loaded = loadTemplates();
    QCOMPARE(::formatNames(loaded), QStringList({"text", "html", "ubb", "ezboard"}));
    QCOMPARE(::convertMessage("j@h", "html", loaded), QString("<a href='mailto:j@h'>j@h</a>"));
    QCOMPARE(::convertMessage("http://h", "ubb", loaded), QString("[url=http://h]http://h[/url]"));
    QCOMPARE(::convertMessage("http://h", "ezboard", loaded), QString("[link=http://h]http://h[/link]"));
    for (int s = TemplateSet::defaultSlotCount; s < TemplateSet::slotCount; ++s)
        QCOMPARE(loaded.entries[s], LinkTemplate());
}

void TestTemplates::storedValueWins_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("field");

    QTest::newRow("empty html name") << "htmlName"
                                     << "" << 0 << 0;
    QTest::newRow("empty ubb close") << "ubbLinkClose01"
                                     << "" << 1 << 3;
    QTest::newRow("empty ez mail") << "ezMailCall01"
                                   << "" << 2 << 4;
    QTest::newRow("ez name") << "ezName"
                             << "board" << 2 << 0;
    QTest::newRow("custom open") << "cust03LinkOpen02"
                                 << "'>" << 5 << 2;
}

void TestTemplates::storedValueWins()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, slot);
    QFETCH(int, field);
    writeSetting("data", key, value);
    TemplateSet expected = defaultTemplates();
    ::field(expected.entries[slot], field) = value;
    QCOMPARE(loadTemplates(), expected);
}

void TestTemplates::keysOfEachSlot_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("slot");
    const QStringList prefixes = {"html", "ubb", "ez", "cust01", "cust02", "cust03", "cust04", "cust05"};
    for (int s = 0; s < prefixes.size(); ++s)
        QTest::newRow(qPrintable(prefixes[s])) << prefixes[s] << s;
}

void TestTemplates::keysOfEachSlot()
{
    QFETCH(QString, prefix);
    QFETCH(int, slot);
    TemplateSet set = distinctTemplates();
    saveTemplates(set);
    const QStringList fields = {"Name", "LinkOpen01", "LinkOpen02", "LinkClose01", "MailCall01"};
    for (int f = 0; f < fields.size(); ++f)
        QCOMPARE(readSetting("data", prefix + fields[f], "<absent>"), field(set.entries[slot], f));
}

void TestTemplates::saveThenLoadKeepsEverything()
{
    TemplateSet set = distinctTemplates();
    set.entries[0].name.clear(); // an emptied default name must come back empty
    set.entries[7].mailCall01.clear();
    saveTemplates(set);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(readSetting("data", QStringLiteral("minutes%1").arg(i), "<absent>"), set.minutes[i]);
        QCOMPARE(readSetting("data", QStringLiteral("seconds%1").arg(i), "<absent>"), set.seconds[i]);
    }
    QCOMPARE(loadTemplates(), set);
}

void TestTemplates::formatNames_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("all eight") << QStringList{"a", "b", "c", "d", "e", "f", "g", "h"}
                               << QStringList{"text", "a", "b", "c", "d", "e", "f", "g", "h"};
    QTest::newRow("gaps close up") << QStringList{"", "ubb", "", "", "mine"} << QStringList{"text", "ubb", "mine"};
    QTest::newRow("none") << QStringList{} << QStringList{"text"};
    QTest::newRow("duplicates kept") << QStringList{"x", "x", "text"} << QStringList{"text", "x", "x", "text"};
    QTest::newRow("blank is a name") << QStringList{" "} << QStringList{"text", " "};
}

void TestTemplates::formatNames()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    QCOMPARE(::formatNames(namedSlots(names)), expected);
}

void TestTemplates::convertMessage_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("expected");

    const QStringList defaults{"html", "ubb", "ezboard"};
    QTest::newRow("text leaves it") << defaults << "text"
                                    << "see http://h";
    QTest::newRow("first slot") << defaults << "html"
                                << "see <0:http://h|http://h>";
    QTest::newRow("third slot") << defaults << "ezboard"
                                << "see <2:http://h|http://h>";
    QTest::newRow("case matters") << defaults << "HTML"
                                  << "see http://h";
    QTest::newRow("no trimming") << defaults << "html "
                                 << "see http://h";
    QTest::newRow("lower slot wins") << QStringList{"a", "b", "b"} << "b"
                                     << "see <1:http://h|http://h>";
    QTest::newRow("custom named text") << QStringList{"html", "", "", "text"} << "text"
                                       << "see <3:http://h|http://h>";
    QTest::newRow("empty name never chosen") << QStringList{"", "x"} << ""
                                             << "see http://h";
}

void TestTemplates::convertMessage()
{
    QFETCH(QStringList, names);
    QFETCH(QString, selected);
    QFETCH(QString, expected);
    QCOMPARE(::convertMessage("see http://h", selected, namedSlots(names)), expected);
}

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
