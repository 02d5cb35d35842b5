#include "app/statuspanels.h"

#include <QStatusBar>
#include <QtTest>

Q_DECLARE_METATYPE(StatusLife)

// The status bar's panels: who sends a text says whether it clears itself, and a text that took
// the place of a report stays.
class TestStatusPanels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textsClearAsSent_data();
    void textsClearAsSent();
    void reportClearsAfterItsDelay();
};

void TestStatusPanels::textsClearAsSent_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<StatusLife>("firstLife");
    QTest::addColumn<QString>("second"); // empty: nothing follows
    QTest::addColumn<StatusLife>("secondLife");
    QTest::addColumn<QString>("shown");
    const StatusLife clears = StatusLife::ClearsItself;
    const StatusLife stays = StatusLife::Stays;
    QTest::newRow("report clears") << "MESSAGE SAVED" << clears << "" << stays << "";
    QTest::newRow("state stays") << "Complete" << stays << "" << stays << "Complete";
    QTest::newRow("state over a report stays") << "MESSAGE SAVED" << clears << "Complete" << stays << "Complete";
    QTest::newRow("report over a state clears") << "Complete" << stays << "Pasted" << clears << "";
    QTest::newRow("report over a report clears") << "MESSAGE SAVED" << clears << "Pasted" << clears << "";
}

void TestStatusPanels::textsClearAsSent()
{
    QFETCH(QString, first);
    QFETCH(StatusLife, firstLife);
    QFETCH(QString, second);
    QFETCH(StatusLife, secondLife);
    QFETCH(QString, shown);
    QStatusBar bar;
    StatusPanels panels(&bar);
    panels.setClearDelay(0);
    for (const StatusPanel panel : {StatusPanel::State, StatusPanel::Activity, StatusPanel::Progress}) {
        panels.setText(StatusPanel::Progress, QStringLiteral("elsewhere"));
        panels.setText(panel, first, firstLife);
        if (!second.isEmpty())
            panels.setText(panel, second, secondLife);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(panels.text(panel), shown);
        if (panel != StatusPanel::Progress)
            QCOMPARE(panels.text(StatusPanel::Progress), QStringLiteral("elsewhere"));
    }
}

// The delay the program uses, once: a report is still there just after it was sent.
void TestStatusPanels::reportClearsAfterItsDelay()
{
    QStatusBar bar;
    StatusPanels panels(&bar);
    QVERIFY(panels.clearDelay() > 1000); // long enough to be read
    panels.setClearDelay(50);
    panels.setText(StatusPanel::State, "MESSAGE SAVED", StatusLife::ClearsItself);
    QCoreApplication::processEvents();
    QCOMPARE(panels.text(StatusPanel::State), QString("MESSAGE SAVED"));
    QTRY_COMPARE_WITH_TIMEOUT(panels.text(StatusPanel::State), QString(), panels.clearDelay() + 2000);
}

QTEST_MAIN(TestStatusPanels)
#include "tst_statuspanels.moc"
