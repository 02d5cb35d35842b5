// The forums list: how posts2.txt is read and written, and how the page's boxes edit it.
#include "app/mainwindow.h"
#include "browser/forumloginlist.h"
#include "browser/forumscontroller.h"
#include "browsertestmain.h"
#include "core/appstate.h"
#include "core/datafolder.h"
#include "filebytes.h"
#include "testenvironment.h"
#include "ui/messagebox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

namespace {
bool showPage(Form1 &form, const QString &url)
{
    QSignalSpy loaded(form.WebBrowser1, &QWebEngineView::loadFinished);
    form.WebBrowser1->setUrl(QUrl(url));
    return loaded.wait(20000);
}
} // namespace

class TestForumLogins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        setEndProgramHookForTesting([] {});
    }
    void cleanup()
    {
        setEndProgramHookForTesting({});
        setMessageHookForTesting({});
    }
    void parseLine_data();
    void parseLine();
    void writtenFormRoundTrips();
    void fileIsPrivate();
    void addRefusesEmptyAndDuplicates();
    void fieldsKeepTheirLine_data();
    void fieldsKeepTheirLine();
    void unreadableFileIsNeverOverwritten();
    void failedSaveKeepsListAndExplains();
    void addCurrentUrlStoresAtOnce();
    void typingRewritesFileEachKeystroke();
    void selectingShowsLoginAndUrl();
    void editsAfterRemovalGoNowhere();
    void userNameRefusesBar();
};

void TestForumLogins::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("three fields") << "http://f|ann|pw"
                                  << "http://f"
                                  << "ann"
                                  << "pw";
    QTest::newRow("password holding bars") << "http://f|ann|p|w|x"
                                           << "http://f"
                                           << "ann"
                                           << "p|w|x";
    QTest::newRow("empty login") << "http://f||"
                                 << "http://f"
                                 << ""
                                 << "";
    QTest::newRow("url only") << "http://f"
                              << "http://f"
                              << ""
                              << "";
    QTest::newRow("no password") << "http://f|ann"
                                 << "http://f"
                                 << "ann"
                                 << "";
}

void TestForumLogins::parseLine()
{
    QFETCH(QString, line);
    const ForumLogin login = ForumLoginList::parseLine(line);
    QTEST(login.url, "url");
    QTEST(login.userName, "user");
    QTEST(login.password, "password");
}

void TestForumLogins::writtenFormRoundTrips()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "\r\n \r\nhttp://a|ann|p|1\r\n\r\n\r\nhttp://b|bob|\r\n"));
    ForumLoginList list;
    list.load();
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.save(), QString());
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://a|ann|p|1\r\n\r\nhttp://b|bob|\r\n\r\n"));
    ForumLoginList again;
    again.load();
    QCOMPARE(again.at(0).password, QString("p|1"));
    QCOMPARE(again.at(1).userName, QString("bob"));
}

void TestForumLogins::fileIsPrivate()
{
    TestEnvironment env;
    ForumLoginList list;
    list.add("http://a");
    QCOMPARE(list.save(), QString());
    QCOMPARE(QFile::permissions(env.filePath("posts2.txt")) & 0x0077, QFileDevice::Permissions());
}

void TestForumLogins::addRefusesEmptyAndDuplicates()
{
    ForumLoginList list;
    QVERIFY(!list.add(QString()));
    QVERIFY(list.add("http://a"));
    QVERIFY(!list.add("http://a"));
    QVERIFY2(list.add("http://A"), "addresses differing in case are different forums");
    QCOMPARE(list.count(), 2);
}

void TestForumLogins::fieldsKeepTheirLine_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("stored"); // url|user|password after a reload; empty: refused
    QTest::newRow("bar in the address") << "http://f/?a|b"
                                        << "ann"
                                        << "p|w"
                                        << "http://f/?a%7Cb|ann|p|w";
    QTest::newRow("line break in the address") << "http://f\nx"
                                               << "ann"
                                               << "pw" << QString();
    QTest::newRow("bar in the user name") << "http://f"
                                          << "a|nn"
                                          << "pw"
                                          << "http://f||";
    QTest::newRow("line break in the password") << "http://f"
                                                << "ann"
                                                << "p\r\nw"
                                                << "http://f||";
}

void TestForumLogins::fieldsKeepTheirLine()
{
    QFETCH(QString, url);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, stored);
    TestEnvironment env;
    ForumLoginList list;
    QCOMPARE(list.add(url), !stored.isEmpty());
    if (stored.isEmpty())
        return;
    list.setLogin(0, user, password);
    QCOMPARE(list.save(), QString());
    ForumLoginList again;
    again.load();
    QCOMPARE(again.count(), 1);
    QCOMPARE(again.at(0).url + '|' + again.at(0).userName + '|' + again.at(0).password, stored);
}

void TestForumLogins::unreadableFileIsNeverOverwritten()
{
    TestEnvironment env;
    // Root reads a mode-000 file; a folder in its place cannot be read by anyone.
    QVERIFY(QDir(env.dataFolder()).mkdir("posts2.txt"));
    ForumLoginList list;
    const QString error = list.load();
    QVERIFY2(error.contains("posts2.txt"), qPrintable(error));
    QCOMPARE(list.loadError(), error);
    QVERIFY(list.add("http://a"));
    const QString saveError = list.save();
    QVERIFY2(saveError.startsWith("There was an error saving your logins.") && saveError.contains("could not be read"),
             qPrintable(saveError));
    QCOMPARE(list.count(), 1);
    QVERIFY(QFileInfo(env.filePath("posts2.txt")).isDir());
}

void TestForumLogins::failedSaveKeepsListAndExplains()
{
    TestEnvironment env;
    setDataFolder(env.filePath("missing-folder"));
    ForumLoginList list;
    list.add("http://a");
    const QString error = list.save();
    QVERIFY(error.startsWith("There was an error saving your logins.\r\n\r\nError Number "));
    QVERIFY(error.contains("posts2.txt"));
    QCOMPARE(list.count(), 1);
}

void TestForumLogins::addCurrentUrlStoresAtOnce()
{
    TestEnvironment env;
    Form1 form;
    form.load();
    QVERIFY(showPage(form, "data:text/html,<p>forum</p>"));
    const QString url = form.WebBrowser1->url().toString();
    form.cmdAdd2->click();
    form.cmdAdd2->click();

    QCOMPARE(form.lstPosts2->count(), 1);
    QCOMPARE(form.lstPosts2->currentRow(), 0);
    QCOMPARE(form.txtUsername->text(), QString("Enter Username"));
    QCOMPARE(form.txtPassword->text(), QString());
    QVERIFY(form.txtUsername->isEnabled());
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), (url + "|Enter Username|\r\n\r\n").toUtf8());
}

void TestForumLogins::typingRewritesFileEachKeystroke()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|\r\n\r\n"));
    Form1 form;
    form.load();
    form.show();
    form.lstPosts2->setCurrentRow(0);
    form.forums().selectForum(0);
    form.txtPassword->setFocus();
    for (const QString &typed : {QString("s"), QString("se"), QString("sec")}) {
        QTest::keyClick(form.txtPassword, typed.back().toLatin1());
        QCOMPARE(readFileBytes(env.filePath("posts2.txt")), ("http://a|ann|" + typed + "\r\n\r\n").toUtf8());
    }
}

void TestForumLogins::selectingShowsLoginAndUrl()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|pa\r\n\r\nhttp://b|bob|pb\r\n\r\n"));
    Form1 form;
    form.load();
    QVERIFY(!form.txtUsername->isEnabled());
    form.lstPosts2->setCurrentRow(1);
    form.forums().selectForum(1);
    QCOMPARE(form.panelText(2), QString("http://b"));
    QCOMPARE(form.txtUsername->text(), QString("bob"));
    QCOMPARE(form.txtPassword->text(), QString("pb"));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://a|ann|pa\r\n\r\nhttp://b|bob|pb\r\n\r\n"));
}

void TestForumLogins::editsAfterRemovalGoNowhere()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|pa\r\n\r\nhttp://b|bob|pb\r\n\r\n"));
    Form1 form;
    form.load();
    form.lstPosts2->setCurrentRow(0);
    form.forums().selectForum(0);
    form.cmdDel2->click();
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://b|bob|pb\r\n\r\n"));
    QCOMPARE(form.lstPosts2->currentRow(), -1);
    form.txtUsername->setText("changed");
    form.txtPassword->setText("changed");
    QCOMPARE(form.forumLogins.at(0).userName, QString("bob"));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://b|bob|pb\r\n\r\n"));
    form.cmdDel2->click(); // nothing selected: nothing removed
    QCOMPARE(form.forumLogins.count(), 1);
}

void TestForumLogins::userNameRefusesBar()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|pa\r\n\r\n"));
    Form1 form;
    form.load();
    form.show();
    form.lstPosts2->setCurrentRow(0);
    form.forums().selectForum(0);
    form.txtUsername->setFocus();
    QTest::keyClicks(form.txtUsername, "x|y");
    QCOMPARE(form.txtUsername->text(), QString("annxy"));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://a|annxy|pa\r\n\r\n"));
}

THREADLOOM_BROWSER_TEST_MAIN(TestForumLogins)
#include "tst_forumlogins.moc"
