// The layout rules applied to the main window's real panels: sizes reach the widgets, and the
// window never stays under its minimum. The browser frame is a stand-in with the same names and
// places, so that no browser engine starts.
#include "app/mainlayoutapply.h"
#include "app/statuspanels.h"
#include "browser/forumspanel.h"
#include "compose/messageeditorpanel.h"
#include "ui/designgeometry.h"
#include "ui/widgetfactory.h"
#include "watch/postspanel.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>

#include <memory>

namespace {

// The main window's layout-bound controls, built as the main window builds them.
struct PanelWindow
{
    QMainWindow window;
    MainLayoutWidgets widgets;

    PanelWindow()
    {
        auto *central = new QWidget(&window);
        window.setCentralWidget(central);
        auto *posts = new PostsPanel(central);
        auto *forums = new ForumsPanel(central);
        auto *browser = makeControl<QGroupBox>(central, QStringLiteral("Frame2"), twipsRect(DesignGeometry::frame2));
        auto *status = new StatusPanels(window.statusBar());
        widgets.window = &window;
        widgets.editorFrame = new MessageEditorPanel(central);
        widgets.tabStrip =
            makeControl<QTabBar>(central, QStringLiteral("TabStrip2"), twipsRect(DesignGeometry::tabStrip2));
        widgets.postsFrame = posts;
        widgets.forumsFrame = forums;
        widgets.postList = posts->postList;
        widgets.newRepliesList = posts->newRepliesList;
        widgets.forumList = forums->forumList;
        widgets.browserFrame = browser;
        widgets.addressBox = makeControl<QLineEdit>(browser, QStringLiteral("Text5"), twipsRect(DesignGeometry::text5));
        widgets.goButton =
            makeControl<QToolButton>(browser, QStringLiteral("Command3"), twipsRect(DesignGeometry::command3));
        widgets.pageView =
            makeControl<QWidget>(browser, QStringLiteral("WebBrowser1"), twipsRect(DesignGeometry::webBrowser1));
        widgets.visitButton =
            makeControl<QPushButton>(central, QStringLiteral("Command1"), twipsRect(DesignGeometry::command1));
        widgets.statusBar = window.statusBar();
        for (int i = 0; i < 3; ++i)
            widgets.statusPanels[i] = status->panel(StatusPanel(i));
    }

    void layOut() { applyMainLayout(widgets); }
    int panelWidth(StatusPanel panel) const { return widgets.statusPanels[int(panel)]->width(); }
};

QMap<QString, QRect> geometries(const MainLayoutWidgets &w)
{
    QMap<QString, QRect> map;
    const QList<QWidget *> watched = {w.browserFrame,   w.pageView,   w.addressBox,  w.goButton,
                                      w.visitButton,    w.postsFrame, w.forumsFrame, w.postList,
                                      w.newRepliesList, w.forumList,  w.tabStrip,    w.editorFrame};
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
    std::unique_ptr<PanelWindow> m_panels;
    QMainWindow *m_window = nullptr;
};

void TestMainLayoutApply::init()
{
    m_panels = std::make_unique<PanelWindow>();
    m_window = &m_panels->window;
    m_window->resize(800, 640);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_panels->layOut();
}

void TestMainLayoutApply::cleanup()
{
    m_window = nullptr;
    m_panels.reset();
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
    m_panels->layOut();
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
    m_panels->layOut();
    m_panels->layOut(); // settled: the posts frame has reached its final top
    const QMap<QString, QRect> before = geometries(m_panels->widgets);
    m_window->resize(m_window->size() + growth);
    m_panels->layOut();
    const QMap<QString, QRect> after = geometries(m_panels->widgets);

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
    const QMap<QString, QRect> before = geometries(m_panels->widgets);
    m_window->setWindowState(Qt::WindowMinimized);
    m_window->resize(m_window->size() + QSize(100, 100));
    m_panels->layOut();
    QCOMPARE(geometries(m_panels->widgets), before);

    m_window->setWindowState(Qt::WindowNoState);
    m_panels->layOut();
    QVERIFY(geometries(m_panels->widgets) != before);
}

void TestMainLayoutApply::statusPanelsFollowTheWidth()
{
    m_window->resize(900, 700);
    m_panels->layOut();
    QTRY_COMPARE(m_panels->panelWidth(StatusPanel::State), 3735 / 15);
    // The third panel keeps 3200 twips; the second takes what the window has left.
    QCOMPARE(m_panels->panelWidth(StatusPanel::Progress), 213);
    QCoreApplication::processEvents(); // the status bar lays its panels out later
    const int middle = m_panels->panelWidth(StatusPanel::Activity);
    m_window->resize(960, 700);
    m_panels->layOut();
    QTRY_COMPARE(m_panels->panelWidth(StatusPanel::Activity), middle + 60);
    QCOMPARE(m_panels->panelWidth(StatusPanel::State), 3735 / 15);
}

QTEST_MAIN(TestMainLayoutApply)
#include "tst_mainlayoutapply.moc"
