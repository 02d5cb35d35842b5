#include "app/mainlayout.h"

#include <QtTest>

using Values = QList<float>;

namespace {

// The lengths a resize may change, in a fixed order; the tables below list them in this order.
const QStringList kNames = {QStringLiteral("Frame3.height"),
                            QStringLiteral("Frame4.height"),
                            QStringLiteral("lstPosts.height"),
                            QStringLiteral("lstNew.height"),
                            QStringLiteral("lstPosts2.height"),
                            QStringLiteral("Frame2.height"),
                            QStringLiteral("Frame2.width"),
                            QStringLiteral("WebBrowser1.width"),
                            QStringLiteral("WebBrowser1.height"),
                            QStringLiteral("panel1"),
                            QStringLiteral("panel2"),
                            QStringLiteral("panel3"),
                            QStringLiteral("Text5.width"),
                            QStringLiteral("Command3.left"),
                            QStringLiteral("Command1.width"),
                            QStringLiteral("TabStrip2.height"),
                            QStringLiteral("TabStrip2.top"),
                            QStringLiteral("Frame3.top"),
                            QStringLiteral("Frame4.top")};

Values values(const MainGeometry &g)
{
    return {g.frame3.height,    g.frame4.height, g.lstPosts.height,   g.lstNew.height,      g.lstPosts2.height,
            g.frame2.height,    g.frame2.width,  g.webBrowser1.width, g.webBrowser1.height, g.panelWidth[0],
            g.panelWidth[1],    g.panelWidth[2], g.text5.width,       g.command3.left,      g.command1.width,
            g.tabStrip2.height, g.tabStrip2.top, g.frame3.top,        g.frame4.top};
}

MainGeometry laidOut(float width, float height)
{
    MainGeometry g; // the design geometry
    g.width = width;
    g.height = height;
    return layoutMainWindow(g);
}

void compareValues(const Values &actual, const Values &expected)
{
    QCOMPARE(actual.size(), kNames.size());
    for (int i = 0; i < kNames.size(); ++i) {
        if (actual.at(i) != expected.at(i))
            QFAIL(qPrintable(
                QStringLiteral("%1 is %2, expected %3").arg(kNames.at(i)).arg(actual.at(i)).arg(expected.at(i))));
    }
}

} // namespace

class TestMainLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstPass_data();
    void firstPass();
    void growth_data();
    void growth();
    void minimumSize_data();
    void minimumSize();
    void minimisedWindowIsLeftAlone();
    void postsFrameTopSettlesAfterSecondPass();
};

// Worked out by hand from the design geometry (status bar 315 high, Frame3 at its design top).
void TestMainLayout::firstPass_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<Values>("expected");

    QTest::newRow("design size 11265 x 9600")
        << 11265.f << 9600.f << Values{3015, 3015, 1595, 1595, 1775, 8130, 7185, 6945, 5990, 3735,
                                       4330, 3200, 5650, 6290, 2975, 9600, 5215, 5615, 5615};
    // Frame3 (5000 - 6585) and Command1 (7000 - 8290) come out negative: magnitudes, not zero.
    QTest::newRow("minimum 7000 x 5000") << 7000.f << 5000.f
                                         << Values{1585, 1585, 165,  165,  345,  6700, 2920, 2680, 4560, 3735,
                                                   65,   3200, 1385, 2025, 1290, 5000, 5215, 5615, 5615};
    // Frame3 of 585 ends above the lists' tops: the lists get |585 - 1420| and |585 - 1240|.
    QTest::newRow("short 7000 x 6000") << 7000.f << 6000.f
                                       << Values{585, 585,  835,  835,  655,  5700, 2920, 2680, 3560, 3735,
                                                 65,  3200, 1385, 2025, 1290, 6000, 5215, 5615, 5615};
}

void TestMainLayout::firstPass()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(Values, expected);
    compareValues(values(laidOut(width, height)), expected);
}

void TestMainLayout::growth_data()
{
    QTest::addColumn<float>("dw");
    QTest::addColumn<float>("dh");
    QTest::addColumn<Values>("expected");

    // Columns that follow the width: Frame2, WebBrowser1 and Text5 widths, panel 2, Command3's
    // left, Command1's width. Those that follow the height: the frames, lists, browser, tab strip.
    auto change = [](float w, float h) { return Values{h, h, h, h, h, h, w, w, h, 0, w, 0, w, w, w, h, 0, 0, 0}; };
    QTest::newRow("wider by 1000") << 1000.f << 0.f << change(1000, 0);
    QTest::newRow("taller by 1000") << 0.f << 1000.f << change(0, 1000);
    QTest::newRow("both by 1000") << 1000.f << 1000.f << change(1000, 1000);
    QTest::newRow("narrower by 500") << -500.f << 0.f << change(-500, 0);
}

void TestMainLayout::growth()
{
    QFETCH(float, dw);
    QFETCH(float, dh);
    QFETCH(Values, expected);

    // Large enough that no formula is near zero, so every change is a plain difference.
    const Values before = values(laidOut(12000, 10000));
    const Values after = values(laidOut(12000 + dw, 10000 + dh));
    Values change;
    for (int i = 0; i < before.size(); ++i)
        change.append(after.at(i) - before.at(i));
    compareValues(change, expected);
}

void TestMainLayout::minimumSize_data()
{
    QTest::addColumn<QSizeF>("requested");
    QTest::addColumn<QSizeF>("expected");

    QTest::newRow("6000 x 4000 snaps") << QSizeF(6000, 4000) << QSizeF(7000, 5000);
    QTest::newRow("only too narrow") << QSizeF(100, 9000) << QSizeF(7000, 9000);
    QTest::newRow("only too low") << QSizeF(9000, 4999) << QSizeF(9000, 5000);
    QTest::newRow("exactly the minimum") << QSizeF(7000, 5000) << QSizeF(7000, 5000);
}

void TestMainLayout::minimumSize()
{
    QFETCH(QSizeF, requested);
    QFETCH(QSizeF, expected);

    const MainGeometry g = laidOut(requested.width(), requested.height());
    QCOMPARE(QSizeF(g.width, g.height), expected);
    // Laid out at the snapped size, not the requested one.
    compareValues(values(g), values(laidOut(expected.width(), expected.height())));
}

void TestMainLayout::minimisedWindowIsLeftAlone()
{
    MainGeometry g;
    g.width = 100;
    g.height = 100;
    g.minimized = true;
    const MainGeometry out = layoutMainWindow(g);
    QCOMPARE(QSizeF(out.width, out.height), QSizeF(100, 100));
    compareValues(values(out), values(g));

    g.minimized = false; // restored, it is laid out again
    QCOMPARE(layoutMainWindow(g).width, kMinimumWindowWidth);
}

void TestMainLayout::postsFrameTopSettlesAfterSecondPass()
{
    const MainGeometry first = laidOut(11265, 9600);
    const MainGeometry second = layoutMainWindow(first);
    QCOMPARE(second.frame3.height, 9600.f - 315 - 500 - 5615 - 250); // from the moved top
    QCOMPARE(second.frame2.top + second.frame2.height, second.frame3.top + second.frame3.height + 400);
    compareValues(values(layoutMainWindow(second)), values(second));
}

QTEST_APPLESS_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
