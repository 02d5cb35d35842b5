#include "app/mainwindow.h"
#include "browser/browsercontroller.h"
#include "browser/browserpanel.h"
#include "browser/browserprofile.h"
#include "browsertestmain.h"
#include "fakeforum.h"
#include "testenvironment.h"
#include "watch/browsercookiejar.h"
#include "watch/postspanel.h"
#include "watch/watchcontroller.h"

#include <QListView>
#include <QPushButton>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

// A thread only members can see is measured as the members see it, with the login the user made
// in the embedded browser, and still after a restart.
class TestMembersOnly : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loginSurvivesARestart();

private:
    std::unique_ptr<MainWindow> startProgram();
    void loadAndWait(MainWindow &window, const QString &url);
};

std::unique_ptr<MainWindow> TestMembersOnly::startProgram()
{
    auto window = std::make_unique<MainWindow>();
    window->load();
    return window;
}

void TestMembersOnly::loadAndWait(MainWindow &window, const QString &url)
{
    QSignalSpy finished(window.browserPanel()->view, &QWebEngineView::loadFinished);
    window.browserPanel()->view->load(QUrl(url));
    QVERIFY(finished.wait(20000));
}

void TestMembersOnly::loginSurvivesARestart()
{
    TestEnvironment environment;
    releaseBrowserProfile();
    useThrowawayBrowserProfile(false); // the real, stored profile (under this test's own home)
    FakeForum forum;
    QVERIFY(forum.start());
    const QString members = forum.url(QStringLiteral("/members"));

    auto window = startProgram();
    loadAndWait(*window, forum.url(QStringLiteral("/login")));
    QSignalSpy loggedIn(window->browserPanel()->view, &QWebEngineView::loadFinished);
    window->browserPanel()->view->page()->runJavaScript(
        QStringLiteral("document.getElementById('user').value='alice';document.getElementById('loginform').submit();"));
    QVERIFY(loggedIn.wait(20000)); // the forum's next page, after the login
    QTRY_VERIFY_WITH_TIMEOUT(window->watch().cookieJar().count() > 0, 20000);

    loadAndWait(*window, members);
    window->postsPanel()->watchButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->watchedPosts.at(0).size.toLongLong() > 20000, 20000);
    window->close();
    window.reset(); // the next start: a new main window and a new profile over the same folder
    releaseBrowserProfile();

    forum.addReply(0, QString(2000, QLatin1Char('r')));
    window = startProgram();
    QTRY_VERIFY_WITH_TIMEOUT(window->watch().cookieJar().count() > 0, 20000);
    window->watch().startReplyCheck();
    QAbstractItemModel *found = window->postsPanel()->newRepliesList->model();
    QTRY_COMPARE_WITH_TIMEOUT(found->rowCount(), 1, 20000);
    QCOMPARE(found->index(0, 0).data().toString(), members);
    window.reset();
    releaseBrowserProfile();
    useThrowawayBrowserProfile(true);
}

THREADLOOM_BROWSER_TEST_MAIN(TestMembersOnly)
#include "tst_membersonly.moc"
