// The layout rules applied to the real main window: sizes reach the widgets, and the window
// never stays under its minimum.
#include "app/mainlayoutapply.h"
#include "app/mainwindow.h"
#include "browser/browserpanel.h"
#include "browser/forumspanel.h"
#include "browsertestmain.h"
#include "compose/messageeditorpanel.h"
#include "testenvironment.h"
#include "watch/postspanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

#include <memory>

namespace {

QMap<QString, QRect> geometries(const MainWindow &w)
{
    QMap<QString, QRect> map;
    const QList<QWidget *> watched = {w.browserPanel(),
                                      w.browserPanel()->view,
                                      w.browserPanel()->addressBox,
                                      w.browserPanel()->goButton,
                                      w.visitButton(),
                                      w.postsPanel(),
                                      w.forumsPanel(),
                                      w.postsPanel()->postList,
                                      w.postsPanel()->newRepliesList,
                                      w.forumsPanel()->forumList,
                                      w.pageTabs(),
                                      w.editorPanel()};
    for (const QWidget *widget : watched)
        map.insert(widget->objectName(), widget->geometry());
    return map;
}

} // namespace

using Changes = QMap<QString, QRect>; // per widget: the change of x, y, width, height

class TestMainLayoutApply : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void tooSmallGrowsToMinimum_data();
    void tooSmallGrowsToMinimum();
    void resizeMovesTheRightWidgets_data();
    void resizeMovesTheRightWidgets();
    void minimisedWindowIsLeftAlone();
    void statusPanelsFollowTheWidth();

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainLayoutApply::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_window = std::make_unique<MainWindow>();
    m_window->resize(800, 640);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    applyMainLayout(*m_window);
}

void TestMainLayoutApply::cleanup()
{
    m_window.reset();
    m_env.reset();
}

void TestMainLayoutApply::tooSmallGrowsToMinimum_data()
{
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("atLeast");

    // 7000 x 5000 twips are 466.7 x 333.3 pixels: rounded up, never under.
    QTest::newRow("6000 x 4000 twips") << QSize(400, 267) << QSize(467, 334);
    QTest::newRow("too narrow only") << QSize(300, 600) << QSize(467, 600);
    QTest::newRow("too low only") << QSize(700, 100) << QSize(700, 334);
}

void TestMainLayoutApply::tooSmallGrowsToMinimum()
{
    QFETCH(QSize, requested);
    QFETCH(QSize, atLeast);

    // Get under the window's own minimum, as a window manager may.
    m_window->setMinimumSize(1, 1);
    m_window->resize(requested);
    applyMainLayout(*m_window);
    const QSize outer = m_window->frameGeometry().size();
    QVERIFY2(outer.width() >= atLeast.width() && outer.height() >= atLeast.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(outer.width()).arg(outer.height())));
    QVERIFY(outer.width() * 15 >= 7000 && outer.height() * 15 >= 5000);
}

void TestMainLayoutApply::resizeMovesTheRightWidgets_data()
{
    QTest::addColumn<QSize>("growth");
    QTest::addColumn<Changes>("expected");

    // 60 pixels are 900 twips.
    const int d = 60;
    QTest::newRow("wider") << QSize(d, 0)
                           << Changes{{QStringLiteral("Frame2"), QRect(0, 0, d, 0)},
                                      {QStringLiteral("WebBrowser1"), QRect(0, 0, d, 0)},
                                      {QStringLiteral("Text5"), QRect(0, 0, d, 0)},
                                      {QStringLiteral("Command3"), QRect(d, 0, 0, 0)},
                                      {QStringLiteral("Command1"), QRect(0, 0, d, 0)}};
    QTest::newRow("taller") << QSize(0, d) << Changes{{QStringLiteral("Frame2"), QRect(0, 0, 0, d)},
                                                      {QStringLiteral("WebBrowser1"), QRect(0, 0, 0, d)},
                                                      {QStringLiteral("Frame3"), QRect(0, 0, 0, d)},
                                                      {QStringLiteral("Frame4"), QRect(0, 0, 0, d)},
                                                      {QStringLiteral("lstPosts"), QRect(0, 0, 0, d)},
                                                      {QStringLiteral("lstNew"), QRect(0, 0, 0, d)},
                                                      {QStringLiteral("lstPosts2"), QRect(0, 0, 0, d)},
                                                      {QStringLiteral("TabStrip2"), QRect(0, 0, 0, d)}};
}

void TestMainLayoutApply::resizeMovesTheRightWidgets()
{
    QFETCH(QSize, growth);
    QFETCH(Changes, expected);

    m_window->resize(900, 700);
    applyMainLayout(*m_window);
    applyMainLayout(*m_window); // settled: the posts frame has reached its final top
    const QMap<QString, QRect> before = geometries(*m_window);
    m_window->resize(m_window->size() + growth);
    applyMainLayout(*m_window);
    const QMap<QString, QRect> after = geometries(*m_window);

    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QRect a = it.value();
        const QRect b = after.value(it.key());
        const QRect change(b.x() - a.x(), b.y() - a.y(), b.width() - a.width(), b.height() - a.height());
        const QRect wanted = expected.value(it.key(), QRect(0, 0, 0, 0));
        QVERIFY2(change == wanted, qPrintable(QStringLiteral("%1 changed by %2,%3 %4x%5")
                                                  .arg(it.key())
                                                  .arg(change.x())
                                                  .arg(change.y())
                                                  .arg(change.width())
                                                  .arg(change.height())));
    }
}

void TestMainLayoutApply::minimisedWindowIsLeftAlone()
{
    const QMap<QString, QRect> before = geometries(*m_window);
    m_window->setWindowState(Qt::WindowMinimized);
    m_window->resize(m_window->size() + QSize(100, 100));
    applyMainLayout(*m_window);
    QCOMPARE(geometries(*m_window), before);

    m_window->setWindowState(Qt::WindowNoState);
    applyMainLayout(*m_window);
    QVERIFY(geometries(*m_window) != before);
}

void TestMainLayoutApply::statusPanelsFollowTheWidth()
{
    m_window->resize(900, 700);
    applyMainLayout(*m_window);
    QTRY_COMPARE(m_window->statusPanel(StatusPanel::State)->width(), 3735 / 15);
    // The third panel keeps 3200 twips; the second takes what the window has left.
    QCOMPARE(m_window->statusPanel(StatusPanel::Progress)->width(), 213);
    QCoreApplication::processEvents(); // the status bar lays its panels out later
    const int middle = m_window->statusPanel(StatusPanel::Activity)->width();
    m_window->resize(960, 700);
    applyMainLayout(*m_window);
    QTRY_COMPARE(m_window->statusPanel(StatusPanel::Activity)->width(), middle + 60);
    QCOMPARE(m_window->statusPanel(StatusPanel::State)->width(), 3735 / 15);
}

THREADLOOM_BROWSER_TEST_MAIN(TestMainLayoutApply)
#include "tst_mainlayoutapply.moc"
