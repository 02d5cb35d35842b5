#include "watch/replyschedule.h"

#include <QtTest>

// The small rules behind the shell: the automatic reply check's stored choice, and what the
// desktop notification says.
class TestShellRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedAutoCheck_data();
    void storedAutoCheck();
    void notificationText();
};

void TestShellRules::storedAutoCheck_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("minutes");
    QTest::newRow("nothing stored") << "" << 0;
    QTest::newRow("off") << "0" << 0;
    QTest::newRow("offered") << "30" << 30;
    QTest::newRow("blanks around") << " 60 " << 60;
    QTest::newRow("not offered") << "7" << 0;
    QTest::newRow("negative") << "-15" << 0;
    QTest::newRow("text") << "often" << 0;
}

void TestShellRules::storedAutoCheck()
{
    QFETCH(QString, stored);
    QFETCH(int, minutes);
    QCOMPARE(ReplySchedule::minutesFromSetting(stored), minutes);
}

void TestShellRules::notificationText()
{
    QCOMPARE(ReplySchedule::notificationText(1), QStringLiteral("1 watched thread has new replies."));
    QCOMPARE(ReplySchedule::notificationText(3), QStringLiteral("3 watched threads have new replies."));
}

QTEST_APPLESS_MAIN(TestShellRules)
#include "tst_shellrules.moc"
