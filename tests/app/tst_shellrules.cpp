#include "core/statustext.h"
#include "watch/replyschedule.h"

#include <QtTest>

// The small rules behind the shell: which status texts clear themselves, the automatic reply
// check's stored choice, and what the desktop notification says.
class TestShellRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statusClears_data();
    void statusClears();
    void storedAutoCheck_data();
    void storedAutoCheck();
    void notificationText();
};

void TestShellRules::statusClears_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("clears");
    QTest::newRow("saved") << "MESSAGE SAVED" << true;
    QTest::newRow("inserted") << "Message inserted" << true;
    QTest::newRow("copied") << "Message copied" << true;
    QTest::newRow("watching") << "Watching this thread" << true;
    QTest::newRow("plain addresses") << "3 addresses left as plain text: see Tools > Modern Links" << true;
    QTest::newRow("load state stays") << "Complete" << false;
    QTest::newRow("check result stays") << "finished - 2 new replies found" << false;
    QTest::newRow("check progress stays") << "checking post 3" << false;
}

void TestShellRules::statusClears()
{
    QFETCH(QString, text);
    QFETCH(bool, clears);
    QCOMPARE(statusClearsItself(text), clears);
}

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
