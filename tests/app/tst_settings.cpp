// The typed settings: how each kind of value reads back from the text the store holds, and where
// the user's store is.
#include "core/settings.h"
#include "core/settingsstore.h"
#include "testenvironment.h"

#include <QSettings>
#include <QTest>

namespace {
const QString kAbsent = QStringLiteral("<absent>");
const Setting<bool> yesByDefault{"Test", "yes", true};
const Setting<bool> noByDefault{"Test", "no", false};
const Setting<int> number{"Test", "number", 7};
const Setting<QByteArray> bytes{"Test", "bytes", QByteArray("fallback")};

void store(SettingsStore &settings, const char *key, const QString &text)
{
    if (text != kAbsent)
        settings.write(QStringLiteral("Test"), QString::fromLatin1(key), text);
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void yesNo_data();
    void yesNo();
    void numbers_data();
    void numbers();
    void valuesReadBackAsWritten();
    void userStoreIsTheFileItAlwaysWas();
};

void TestSettings::yesNo_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("whenYesByDefault");
    QTest::addColumn<bool>("whenNoByDefault");
    QTest::newRow("absent") << kAbsent << true << false;
    QTest::newRow("1") << "1" << true << true;
    QTest::newRow("0") << "0" << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("1 with a blank") << "1 " << false << false;
    QTest::newRow("other text") << "yes" << false << false;
}

void TestSettings::yesNo()
{
    QFETCH(QString, stored);
    QFETCH(bool, whenYesByDefault);
    QFETCH(bool, whenNoByDefault);
    TestEnvironment env;
    store(env.settings(), "yes", stored);
    store(env.settings(), "no", stored);
    QCOMPARE(env.settings().read(yesByDefault), whenYesByDefault);
    QCOMPARE(env.settings().read(noByDefault), whenNoByDefault);
}

void TestSettings::numbers_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("value");
    QTest::newRow("absent") << kAbsent << 7;
    QTest::newRow("number") << "3" << 3;
    QTest::newRow("blanks around") << " 12 " << 12;
    QTest::newRow("negative") << "-2" << -2;
    QTest::newRow("empty") << "" << 7;
    QTest::newRow("text") << "three" << 7;
    QTest::newRow("trailing text") << "3x" << 7;
}

void TestSettings::numbers()
{
    QFETCH(QString, stored);
    QFETCH(int, value);
    TestEnvironment env;
    store(env.settings(), "number", stored);
    QCOMPARE(env.settings().read(number), value);
}

void TestSettings::valuesReadBackAsWritten()
{
    TestEnvironment env;
    SettingsStore &settings = env.settings();
    QCOMPARE(settings.read(bytes), QByteArray("fallback"));
    const QByteArray binary("\0\x01geometry\xff", 11);
    settings.write(bytes, binary);
    QCOMPARE(settings.read(bytes), binary);
    settings.write(noByDefault, true);
    QCOMPARE(settings.read(QStringLiteral("Test"), QStringLiteral("no"), QString()), QStringLiteral("1"));
    settings.write(number, -40);
    QCOMPARE(settings.read(number), -40);
    QCOMPARE(settings.read(Settings::lastSubject), QStringLiteral("Type Subject Here"));
}

// A settings file an earlier version left is read as it was, and what is written lands in it.
void TestSettings::userStoreIsTheFileItAlwaysWas()
{
    isolateTestHome();
    QSettings earlier(QSettings::NativeFormat, QSettings::UserScope, "Threadloom", "Threadloom");
    earlier.setValue("data/lastSubject", "kept from before");
    earlier.sync();
    SettingsStore store(SettingsStore::userFile());
    QCOMPARE(store.read(Settings::lastSubject), QStringLiteral("kept from before"));
    store.write(Settings::showHelp, false);
    earlier.sync();
    QCOMPARE(earlier.value("Settings/showHelp").toString(), QStringLiteral("0"));
    QVERIFY(QFile::remove(store.filePath()));
}

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"
