#include "app/mainlayout.h"

#include <QtTest>

#include <functional>

using FieldValues = QMap<QString, float>;

namespace {

MainGeometry designAt(float width, float height)
{
    MainGeometry g;
    g.width = width;
    g.height = height;
    return g;
}

// The fields a resize may change, by name, so that tables can speak about them.
const QList<QPair<QString, std::function<float(const MainGeometry &)>>> &fields()
{
    static const QList<QPair<QString, std::function<float(const MainGeometry &)>>> list = {
        {QStringLiteral("Frame3.height"), [](const MainGeometry &g) { return g.frame3.height; }},
        {QStringLiteral("Frame4.height"), [](const MainGeometry &g) { return g.frame4.height; }},
        {QStringLiteral("lstPosts.height"), [](const MainGeometry &g) { return g.lstPosts.height; }},
        {QStringLiteral("lstNew.height"), [](const MainGeometry &g) { return g.lstNew.height; }},
        {QStringLiteral("lstPosts2.height"), [](const MainGeometry &g) { return g.lstPosts2.height; }},
        {QStringLiteral("Frame2.height"), [](const MainGeometry &g) { return g.frame2.height; }},
        {QStringLiteral("Frame2.width"), [](const MainGeometry &g) { return g.frame2.width; }},
        {QStringLiteral("WebBrowser1.width"), [](const MainGeometry &g) { return g.webBrowser1.width; }},
        {QStringLiteral("WebBrowser1.height"), [](const MainGeometry &g) { return g.webBrowser1.height; }},
        {QStringLiteral("panel1"), [](const MainGeometry &g) { return g.panelWidth[0]; }},
        {QStringLiteral("panel2"), [](const MainGeometry &g) { return g.panelWidth[1]; }},
        {QStringLiteral("panel3"), [](const MainGeometry &g) { return g.panelWidth[2]; }},
        {QStringLiteral("Text5.width"), [](const MainGeometry &g) { return g.text5.width; }},
        {QStringLiteral("Command3.left"), [](const MainGeometry &g) { return g.command3.left; }},
        {QStringLiteral("Command1.width"), [](const MainGeometry &g) { return g.command1.width; }},
        {QStringLiteral("TabStrip2.height"), [](const MainGeometry &g) { return g.tabStrip2.height; }},
        {QStringLiteral("TabStrip2.top"), [](const MainGeometry &g) { return g.tabStrip2.top; }},
        {QStringLiteral("Frame3.top"), [](const MainGeometry &g) { return g.frame3.top; }},
        {QStringLiteral("Frame4.top"), [](const MainGeometry &g) { return g.frame4.top; }},
    };
    return list;
}

QMap<QString, float> snapshot(const MainGeometry &g)
{
    QMap<QString, float> values;
    for (const auto &field : fields())
        values.insert(field.first, field.second(g));
    return values;
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
    void untouchedGeometryStaysAsDesigned();
};

// Expected values worked out by hand from the design geometry (status bar 315 high).
void TestMainLayout::firstPass_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<FieldValues>("expected");

    QTest::newRow("design size 11265 x 9600") << 11265.f << 9600.f
                                              << QMap<QString, float>{{QStringLiteral("Frame3.height"), 3015},
                                                                      {QStringLiteral("Frame4.height"), 3015},
                                                                      {QStringLiteral("lstPosts.height"), 1595},
                                                                      {QStringLiteral("lstNew.height"), 1595},
                                                                      {QStringLiteral("lstPosts2.height"), 1775},
                                                                      {QStringLiteral("Frame2.height"), 8130},
                                                                      {QStringLiteral("Frame2.width"), 7185},
                                                                      {QStringLiteral("WebBrowser1.width"), 6945},
                                                                      {QStringLiteral("WebBrowser1.height"), 5990},
                                                                      {QStringLiteral("panel1"), 3735},
                                                                      {QStringLiteral("panel2"), 4330},
                                                                      {QStringLiteral("panel3"), 3200},
                                                                      {QStringLiteral("Text5.width"), 5650},
                                                                      {QStringLiteral("Command3.left"), 6290},
                                                                      {QStringLiteral("Command1.width"), 2975},
                                                                      {QStringLiteral("TabStrip2.height"), 9600},
                                                                      {QStringLiteral("TabStrip2.top"), 5215},
                                                                      {QStringLiteral("Frame3.top"), 5615},
                                                                      {QStringLiteral("Frame4.top"), 5615}};

    // At the minimum several formulas come out negative and must be taken as magnitudes:
    // Frame3 (5000 - 6585), Command1 (7000 - 8290), lstPosts2 stays positive.
    QTest::newRow("minimum 7000 x 5000, negative formulas")
        << 7000.f << 5000.f
        << QMap<QString, float>{{QStringLiteral("Frame3.height"), 1585},
                                {QStringLiteral("lstPosts.height"), 165},
                                {QStringLiteral("lstPosts2.height"), 345},
                                {QStringLiteral("Frame2.height"), 6700},
                                {QStringLiteral("Frame2.width"), 2920},
                                {QStringLiteral("WebBrowser1.width"), 2680},
                                {QStringLiteral("WebBrowser1.height"), 4560},
                                {QStringLiteral("panel2"), 65},
                                {QStringLiteral("panel3"), 3200},
                                {QStringLiteral("Text5.width"), 1385},
                                {QStringLiteral("Command3.left"), 2025},
                                {QStringLiteral("Command1.width"), 1290},
                                {QStringLiteral("TabStrip2.height"), 5000}};

    // Frame3 of 585 is shorter than the lists' tops: the lists get |585 - 1420| and |585 - 1240|.
    QTest::newRow("short window 7000 x 6000, lists above the frame's bottom")
        << 7000.f << 6000.f
        << QMap<QString, float>{{QStringLiteral("Frame3.height"), 585},
                                {QStringLiteral("lstPosts.height"), 835},
                                {QStringLiteral("lstNew.height"), 835},
                                {QStringLiteral("lstPosts2.height"), 655},
                                {QStringLiteral("Frame2.height"), 5700}};
}

void TestMainLayout::firstPass()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(FieldValues, expected);

    const QMap<QString, float> actual = snapshot(layoutMainWindow(designAt(width, height)));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QVERIFY2(actual.contains(it.key()), qPrintable(it.key()));
        QCOMPARE_EQ(actual.value(it.key()), it.value());
    }
}

void TestMainLayout::growth_data()
{
    QTest::addColumn<float>("extraWidth");
    QTest::addColumn<float>("extraHeight");
    QTest::addColumn<FieldValues>("expectedChange");

    const QStringList widthFollowers = {QStringLiteral("Frame2.width"), QStringLiteral("WebBrowser1.width"),
                                        QStringLiteral("Text5.width"),  QStringLiteral("Command1.width"),
                                        QStringLiteral("panel2"),       QStringLiteral("Command3.left")};
    const QStringList heightFollowers = {QStringLiteral("Frame3.height"),      QStringLiteral("Frame4.height"),
                                         QStringLiteral("lstPosts.height"),    QStringLiteral("lstPosts2.height"),
                                         QStringLiteral("lstNew.height"),      QStringLiteral("Frame2.height"),
                                         QStringLiteral("WebBrowser1.height"), QStringLiteral("TabStrip2.height")};
    auto changes = [&](float dw, float dh) {
        QMap<QString, float> m;
        for (const auto &field : fields())
            m.insert(field.first, 0);
        for (const QString &name : widthFollowers)
            m[name] = dw;
        for (const QString &name : heightFollowers)
            m[name] = dh;
        return m;
    };
    QTest::newRow("wider by 1000") << 1000.f << 0.f << changes(1000, 0);
    QTest::newRow("taller by 1000") << 0.f << 1000.f << changes(0, 1000);
    QTest::newRow("both by 1000") << 1000.f << 1000.f << changes(1000, 1000);
    QTest::newRow("narrower by 500") << -500.f << 0.f << changes(-500, 0);
}

void TestMainLayout::growth()
{
    QFETCH(float, extraWidth);
    QFETCH(float, extraHeight);
    QFETCH(FieldValues, expectedChange);

    // Large enough that no formula is near zero, so every change is a plain difference.
    const QMap<QString, float> before = snapshot(layoutMainWindow(designAt(12000, 10000)));
    const QMap<QString, float> after = snapshot(layoutMainWindow(designAt(12000 + extraWidth, 10000 + extraHeight)));
    for (auto it = expectedChange.cbegin(); it != expectedChange.cend(); ++it) {
        const float change = after.value(it.key()) - before.value(it.key());
        if (change != it.value())
            QFAIL(
                qPrintable(QStringLiteral("%1 changed by %2, expected %3").arg(it.key()).arg(change).arg(it.value())));
    }
}

void TestMainLayout::minimumSize_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("expectedWidth");
    QTest::addColumn<float>("expectedHeight");

    QTest::newRow("6000 x 4000 snaps to the minimum") << 6000.f << 4000.f << 7000.f << 5000.f;
    QTest::newRow("only too narrow") << 100.f << 9000.f << 7000.f << 9000.f;
    QTest::newRow("only too low") << 9000.f << 4999.f << 9000.f << 5000.f;
    QTest::newRow("exactly the minimum") << 7000.f << 5000.f << 7000.f << 5000.f;
    QTest::newRow("zero size") << 0.f << 0.f << 7000.f << 5000.f;
}

void TestMainLayout::minimumSize()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(float, expectedWidth);
    QFETCH(float, expectedHeight);

    const MainGeometry g = layoutMainWindow(designAt(width, height));
    QCOMPARE(g.width, expectedWidth);
    QCOMPARE(g.height, expectedHeight);
    // Laid out at the snapped size, not the requested one.
    QCOMPARE(snapshot(g), snapshot(layoutMainWindow(designAt(expectedWidth, expectedHeight))));
}

void TestMainLayout::minimisedWindowIsLeftAlone()
{
    MainGeometry g = designAt(100, 100);
    g.minimized = true;
    const MainGeometry out = layoutMainWindow(g);
    QCOMPARE(out.width, 100.f);
    QCOMPARE(out.height, 100.f);
    QCOMPARE(snapshot(out), snapshot(g));

    // Restored, the same window is laid out again.
    g.minimized = false;
    QCOMPARE(layoutMainWindow(g).width, kMinimumWindowWidth);
}

void TestMainLayout::postsFrameTopSettlesAfterSecondPass()
{
    const MainGeometry first = layoutMainWindow(designAt(11265, 9600));
    QCOMPARE(first.frame3.height, 9600.f - 315 - 500 - 5520 - 250); // from the design top
    const MainGeometry second = layoutMainWindow(first);
    QCOMPARE(second.frame3.height, 9600.f - 315 - 500 - 5615 - 250); // from the moved top
    QCOMPARE(second.frame2.top + second.frame2.height,
             second.frame3.top + second.frame3.height + 400); // ends 400 below the posts frame
    QCOMPARE(snapshot(layoutMainWindow(second)), snapshot(second));
}

void TestMainLayout::untouchedGeometryStaysAsDesigned()
{
    const MainGeometry design;
    const MainGeometry g = layoutMainWindow(designAt(15000, 12000));
    auto sameRect = [](const TwipRect &a, const TwipRect &b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    };
    QVERIFY(sameRect(g.frame1, design.frame1));
    QVERIFY(sameRect(g.statusBar1, design.statusBar1));
    for (const auto &pair : {qMakePair(g.frame3, design.frame3), qMakePair(g.frame4, design.frame4),
                             qMakePair(g.lstPosts, design.lstPosts), qMakePair(g.lstNew, design.lstNew),
                             qMakePair(g.lstPosts2, design.lstPosts2), qMakePair(g.tabStrip2, design.tabStrip2)}) {
        QCOMPARE(pair.first.left, pair.second.left);
        QCOMPARE(pair.first.width, pair.second.width);
    }
    QCOMPARE(g.lstPosts.top, design.lstPosts.top);
    QCOMPARE(g.frame2.left, design.frame2.left);
    QCOMPARE(g.frame2.top, design.frame2.top);
    QCOMPARE(g.webBrowser1.left, design.webBrowser1.left);
    QCOMPARE(g.webBrowser1.top, design.webBrowser1.top);
    QCOMPARE(g.text5.left, design.text5.left);
    QCOMPARE(g.command1.left, design.command1.left);
    QCOMPARE(g.command3.top, design.command3.top);
}

QTEST_APPLESS_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
