#include "core/programlifetime.h"
#include "watch/replyschedule.h"

#include <QSignalSpy>

#include <QtTest>

// The small rules behind the shell: the automatic reply check's stored choice, what the desktop
// notification says, and when the program ends.
class TestShellRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedAutoCheck_data();
    void storedAutoCheck();
    void notificationText();
    void programEnds_data();
    void programEnds();
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

void TestShellRules::programEnds_data()
{
    QTest::addColumn<QString>("events"); // m: main window closed, M: closed with the browser open, b: browser closed
    QTest::addColumn<int>("ends");
    QTest::addColumn<bool>("pending");

    QTest::newRow("main window alone") << "m" << 1 << false;
    QTest::newRow("browser still open") << "M" << 0 << true;
    QTest::newRow("browser closed after") << "Mb" << 1 << false;
    QTest::newRow("browser closed first") << "bm" << 1 << false;
    QTest::newRow("browser closed twice") << "Mbb" << 1 << false;
}

void TestShellRules::programEnds()
{
    QFETCH(QString, events);
    ProgramLifetime lifetime;
    QSignalSpy ended(&lifetime, &ProgramLifetime::ended);
    for (const QChar event : events) {
        if (event == QLatin1Char('b'))
            lifetime.browserWindowClosed();
        else
            lifetime.mainWindowClosed(event == QLatin1Char('M'));
    }
    QTEST(int(ended.size()), "ends");
    QTEST(lifetime.endPending(), "pending");
}

QTEST_GUILESS_MAIN(TestShellRules)
#include "tst_shellrules.moc"
