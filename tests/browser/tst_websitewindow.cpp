#include "browser/browserprofile.h"
#include "browser/websitewindow.h"
#include "browsertest.h"
#include "browsertestmain.h"
#include "core/branding.h"
#include "eventwait.h"
#include "fakeforum.h"
#include "loopbackguard.h"
#include "testenvironment.h"
#include "ui/skin.h"

#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest>

class TestWebsiteWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void opening();
    void ownerPageByDefault();
    void navigation_data();
    void navigation();
    void closing();

private:
    bool waitForLoad();

    TestEnvironment m_env;
    BrowserProfile m_profile{QString(), loopbackGuard()};
    Skin m_skin{false};
    FakeForum m_forum;
    QPointer<WebsiteWindow> m_window;
};

void TestWebsiteWindow::initTestCase()
{
    QVERIFY(m_forum.start());
    m_forum.setPage(QStringLiteral("/home"), "<html><head><title>Owner home</title></head><body>"
                                             "<a href=\"/next\">next</a></body></html>");
    m_forum.setPage(QStringLiteral("/next"), "<html><head><title>Next page</title></head><body>x</body></html>");
}

void TestWebsiteWindow::init()
{
    m_window = new WebsiteWindow(m_profile.profile(), m_skin, m_forum.url(QStringLiteral("/home")));
}

void TestWebsiteWindow::cleanup()
{
    delete m_window;
}

bool TestWebsiteWindow::waitForLoad()
{
    QSignalSpy finished(m_window->view, &QWebEngineView::loadFinished);
    return finished.wait(20000);
}

void TestWebsiteWindow::opening()
{
    QSignalSpy finished(m_window->view, &QWebEngineView::loadFinished);
    m_window->open();
    // Before the first page has come: the address as caption.
    QCOMPARE(m_window->windowTitle(), m_forum.url(QStringLiteral("/home")));
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->isMaximized());
    QVERIFY(!m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QVERIFY(finished.wait(20000));
    const QString url = m_forum.url(QStringLiteral("/home"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Owner home"));
    QCOMPARE(m_window->addressBox->text(), url);
    QCOMPARE(m_window->panelText(2), QStringLiteral("Completed ") + url);

    Q_EMIT m_window->view->page()->linkHovered(QStringLiteral("http://127.0.0.1/hovered"));
    QCOMPARE(m_window->panelText(1), QStringLiteral("http://127.0.0.1/hovered"));
    QCOMPARE(m_window->panelText(2), QStringLiteral("Completed ") + url);
}

void TestWebsiteWindow::ownerPageByDefault()
{
    loadBranding();
    WebsiteWindow window(m_profile.profile(), m_skin);
    QSignalSpy started(window.view, &QWebEngineView::loadStarted);
    window.open();
    QCOMPARE(window.windowTitle(), branding().websiteAddress);
    QVERIFY(started.wait(10000));
    WAIT_VERIFY(window.panelText(2).startsWith(QStringLiteral("Opening http://") + branding().websiteAddress), 5000);
}

void TestWebsiteWindow::navigation_data()
{
    QTest::addColumn<bool>("useEnter");
    QTest::newRow("Enter") << true;
    QTest::newRow("browse button") << false;
}

void TestWebsiteWindow::navigation()
{
    QFETCH(bool, useEnter);

    m_window->open();
    QVERIFY(waitForLoad());
    // Back on the first page goes nowhere and says nothing.
    m_window->backButton->click();
    QTest::qWait(200);
    QCOMPARE(m_window->view->url().toString(), m_forum.url(QStringLiteral("/home")));

    m_window->addressBox->setText(m_forum.url(QStringLiteral("/next")));
    QSignalSpy finished(m_window->view, &QWebEngineView::loadFinished);
    if (useEnter)
        QTest::keyClick(m_window->addressBox, Qt::Key_Return);
    else
        m_window->goButton->click();
    QVERIFY(finished.wait(20000));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Next page"));

    m_window->backButton->click();
    QVERIFY(waitForLoad());
    QCOMPARE(m_window->addressBox->text(), m_forum.url(QStringLiteral("/home")));
}

void TestWebsiteWindow::closing()
{
    m_window->open();
    QSignalSpy closed(m_window.data(), &WebsiteWindow::closed);
    m_window->close();
    QCOMPARE(closed.size(), 1);           // what ends the program when the main window has gone
    WAIT_VERIFY(m_window.isNull(), 5000); // closing releases the window
}

THREADLOOM_BROWSER_TEST(TestWebsiteWindow)
#include "tst_websitewindow.moc"
