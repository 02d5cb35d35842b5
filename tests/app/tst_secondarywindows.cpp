#include "app/aboutwindow.h"
#include "app/helpwindow.h"
#include "compose/savedmessagefile.h"
#include "compose/savedmessagelist.h"
#include "compose/savedmessageswindow.h"
#include "testenvironment.h"
#include "ui/modalmessageboxes.h"
#include "ui/skin.h"

#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QtTest>

// Secondary windows close on Escape and open over the main window, wholly on screen.
class TestSecondaryWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void escapeCloses_data();
    void escapeCloses();
    void opensOverTheMainWindowOnScreen_data();
    void opensOverTheMainWindowOnScreen();

private:
    TestEnvironment m_env;
    Skin m_skin{false};
    ModalMessageBoxes m_boxes;
};

namespace {

QRect available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

void TestSecondaryWindows::cleanup()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> left(windows.begin(), windows.end());
    for (const QPointer<QWidget> &window : left)
        delete window.data(); // one may own another: a deleted one is null here
}

void TestSecondaryWindows::escapeCloses_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("help") << QStringLiteral("help");
    QTest::newRow("About") << QStringLiteral("about");
    QTest::newRow("saved messages") << QStringLiteral("saved");
    QTest::newRow("preview") << QStringLiteral("preview");
}

void TestSecondaryWindows::escapeCloses()
{
    QFETCH(QString, window);
    QWidget *shown = nullptr;
    if (window == QLatin1String("help"))
        shown = new HelpWindow(m_env.settings(), m_skin, m_env.folder());
    else if (window == QLatin1String("about"))
        shown = new AboutWindow(m_skin);
    else if (window == QLatin1String("saved"))
        shown = new SavedMessagesWindow(*new SavedMessageList(m_env.filePath(savedMessagesFileName), this), m_boxes);
    if (shown) {
        shown->show();
    } else {
        m_boxes.showMessage(nullptr, QStringLiteral("message preview"), QStringLiteral("<a href=\"x\">x</a>"));
        shown = QApplication::activeModalWidget();
        QVERIFY(qobject_cast<QMessageBox *>(shown));
    }
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    const QPointer<QWidget> alive(shown);
    QTest::keyClick(shown, Qt::Key_Escape);
    QTRY_VERIFY(!alive || !alive->isVisible());
}

void TestSecondaryWindows::opensOverTheMainWindowOnScreen_data()
{
    QTest::addColumn<QRect>("owner");
    const QRect screen = available();
    QTest::newRow("owner in the middle")
        << QRect(QPoint(), QSize(500, 400)).translated(screen.center() - QPoint(250, 200));
    QTest::newRow("owner at the bottom-right corner")
        << QRect(screen.bottomRight() - QPoint(250, 150), QSize(400, 300));
}

// The road the main window takes: showAboutWindow places the window over its owner.
void TestSecondaryWindows::opensOverTheMainWindowOnScreen()
{
    QFETCH(QRect, owner);
    QWidget mainWindow;
    mainWindow.setGeometry(owner);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    QPointer<AboutWindow> open;
    AboutWindow *about = showAboutWindow(open, m_skin, &mainWindow, {});
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QVERIFY(available().contains(about->frameGeometry()));
    const QPoint offset = about->frameGeometry().center() - mainWindow.frameGeometry().center();
    if (available().contains(mainWindow.frameGeometry()))
        QVERIFY(offset.manhattanLength() <= 2);
}

QTEST_MAIN(TestSecondaryWindows)
#include "tst_secondarywindows.moc"
