#include "browser/websitelayout.h"

#include <QtTest>

class TestWebsiteLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
};

void TestWebsiteLayout::layout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("statusBar");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("urlBox");
    QTest::addColumn<QRect>("goButton");
    QTest::addColumn<QRect>("browser");

    QTest::newRow("roomy") << 12000 << 9000 << 300 << QRect(150, 0, 11700, 8700) << QRect(540, 240, 10065, 315)
                           << QRect(10705, 240, 795, 315) << QRect(120, 1140, 11480, 6460);
    // Every size that would go below zero comes back by its absolute value.
    QTest::newRow("shrunk below the margins")
        << 1000 << 1500 << 300 << QRect(150, 0, 700, 1200) << QRect(540, 240, 935, 315) << QRect(1575, 240, 795, 315)
        << QRect(120, 1140, 480, 1040);
    QTest::newRow("nothing left") << 0 << 0 << 300 << QRect(150, 0, 300, 300) << QRect(540, 240, 1335, 315)
                                  << QRect(1975, 240, 795, 315) << QRect(120, 1140, 80, 1940);
}

void TestWebsiteLayout::layout()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, statusBar);
    QFETCH(QRect, frame);
    QFETCH(QRect, urlBox);
    QFETCH(QRect, goButton);
    QFETCH(QRect, browser);

    const WebsiteLayout result = websiteLayout(width, height, statusBar);
    QCOMPARE(result.panelWidth, width / 2);
    QCOMPARE(result.frame, frame);
    QCOMPARE(result.urlBox, urlBox);
    QCOMPARE(result.goButton, goButton);
    QCOMPARE(result.browser, browser);
}

QTEST_APPLESS_MAIN(TestWebsiteLayout)
#include "tst_websitelayout.moc"
