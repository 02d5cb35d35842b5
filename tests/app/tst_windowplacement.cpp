#include "core/windowplacement.h"

#include <QtTest>

// Where secondary windows open and how large the main window starts.
class TestWindowPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placedOverOwner_data();
    void placedOverOwner();
    void initialMainWindowSize_data();
    void initialMainWindowSize();
};

using Areas = QList<QRect>;

void TestWindowPlacement::placedOverOwner_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<Areas>("areas");
    QTest::addColumn<QRect>("expected");

    const QRect screen(0, 0, 1920, 1040);
    const QRect second(1920, 0, 1280, 984);
    const QRect leftOfPrimary(-1280, 0, 1280, 1024);

    QTest::newRow("centred over the owner")
        << QSize(400, 300) << QRect(100, 100, 800, 600) << Areas{screen} << QRect(300, 250, 400, 300);
    QTest::newRow("owner near the bottom-right corner")
        << QSize(600, 500) << QRect(1500, 800, 400, 300) << Areas{screen} << QRect(1320, 540, 600, 500);
    QTest::newRow("owner partly off the top-left")
        << QSize(300, 200) << QRect(-300, -200, 400, 300) << Areas{screen} << QRect(0, 0, 300, 200);
    QTest::newRow("larger than the screen")
        << QSize(2400, 1300) << QRect(100, 100, 800, 600) << Areas{screen} << screen;
    QTest::newRow("on the second screen")
        << QSize(400, 300) << QRect(2200, 100, 800, 600) << Areas{screen, second} << QRect(2400, 250, 400, 300);
    QTest::newRow("owner straddling: the screen holding its centre")
        << QSize(600, 400) << QRect(1700, 100, 800, 600) << Areas{screen, second} << QRect(1920, 200, 600, 400);
    QTest::newRow("screen left of the primary") << QSize(500, 400) << QRect(-1200, 600, 800, 600)
                                                << Areas{screen, leftOfPrimary} << QRect(-1049, 624, 500, 400);
    QTest::newRow("no owner: centred on the first screen")
        << QSize(400, 300) << QRect() << Areas{screen, second} << QRect(760, 370, 400, 300);
}

void TestWindowPlacement::placedOverOwner()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, owner);
    QFETCH(Areas, areas);
    QFETCH(QRect, expected);
    QCOMPARE(::placedOverOwner(frame, owner, areas), expected);
}

void TestWindowPlacement::initialMainWindowSize_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("expected");

    // Designed 751 x 640, minimum 466 x 333, as the main window is.
    QTest::newRow("1x") << QRect(0, 0, 1920, 1040) << QSize(751, 640);
    QTest::newRow("2x: half the logical area") << QRect(0, 0, 960, 520) << QSize(751, 520);
    QTest::newRow("2x on a small laptop") << QRect(0, 0, 683, 369) << QSize(683, 369);
    QTest::newRow("tiny: the minimum does not fit") << QRect(0, 0, 400, 300) << QSize(400, 300);
    QTest::newRow("no screen known") << QRect() << QSize(751, 640);
}

void TestWindowPlacement::initialMainWindowSize()
{
    QFETCH(QRect, available);
    QFETCH(QSize, expected);
    QCOMPARE(::initialMainWindowSize(QSize(751, 640), QSize(466, 333), available), expected);
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
