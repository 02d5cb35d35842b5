// The forums list: how posts2.txt is read and written, and how the page's boxes edit it.
#include "browser/forumloginlist.h"
#include "browser/forumscontroller.h"
#include "browser/forumspanel.h"
#include "browser/pagenavigator.h"
#include "core/datafiles.h"
#include "core/datafolder.h"
#include "filebytes.h"
#include "recordingmessageboxes.h"
#include "testenvironment.h"
#include "widgettexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
// The "Your Forums" page as the program starts it, beside a browser that only holds an address.
class ForumsPage : public QWidget, public PageNavigator
{
public:
    explicit ForumsPage(const TestEnvironment &env)
        : folder(env.folder())
        , panel(new ForumsPanel(this))
        , forumLogins(folder)
        , controller(*panel, forumLogins, *this, boxes, this)
    {
        connect(&controller, &ForumsController::statusText, this,
                [this](StatusPanel which, const QString &text) { m_status[which] = text; });
    }
    void load()
    {
        ensureDataFiles(folder);
        forumLogins.load();
    }
    ForumsPanel *forumsPanel() const { return panel; }
    ForumsController &forums() { return controller; }
    QString panelText(StatusPanel which) const { return m_status.value(which); }

    QUrl currentUrl() const override { return m_url; }
    void navigate(const QString &url) override { m_url = QUrl(url); }

    DataFolder folder;
    RecordingMessageBoxes boxes;
    ForumsPanel *panel;
    ForumLoginList forumLogins;
    ForumsController controller;

private:
    QUrl m_url;
    QMap<StatusPanel, QString> m_status;
};

bool showPage(ForumsPage &form, const QString &url)
{
    form.navigate(url);
    return form.currentUrl() == QUrl(url);
}
} // namespace

class TestForumLogins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
    void keysChooseForum_data();
    void keysChooseForum();
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
    ForumLoginList list(env.folder());
    list.load();
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.save(), QString());
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://a|ann|p|1\r\n\r\nhttp://b|bob|\r\n\r\n"));
    ForumLoginList again(env.folder());
    again.load();
    QCOMPARE(again.at(0).password, QString("p|1"));
    QCOMPARE(again.at(1).userName, QString("bob"));
}

void TestForumLogins::fileIsPrivate()
{
    TestEnvironment env;
    ForumLoginList list(env.folder());
    list.add("http://a");
    QCOMPARE(list.save(), QString());
    QCOMPARE(QFile::permissions(env.filePath("posts2.txt")) & 0x0077, QFileDevice::Permissions());
}

void TestForumLogins::addRefusesEmptyAndDuplicates()
{
    TestEnvironment env;
    ForumLoginList list(env.folder());
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
    ForumLoginList list(env.folder());
    QCOMPARE(list.add(url), !stored.isEmpty());
    if (stored.isEmpty())
        return;
    list.setLogin(0, user, password);
    QCOMPARE(list.save(), QString());
    ForumLoginList again(env.folder());
    again.load();
    QCOMPARE(again.count(), 1);
    QCOMPARE(again.at(0).url + '|' + again.at(0).userName + '|' + again.at(0).password, stored);
}

void TestForumLogins::unreadableFileIsNeverOverwritten()
{
    TestEnvironment env;
    // Root reads a mode-000 file; a folder in its place cannot be read by anyone.
    QVERIFY(QDir(env.dataFolder()).mkdir("posts2.txt"));
    ForumLoginList list(env.folder());
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
    ForumLoginList list(DataFolder(env.filePath("missing-folder")));
    list.add("http://a");
    const QString error = list.save();
    QVERIFY(error.startsWith("There was an error saving your logins.\r\n\r\nError Number "));
    QVERIFY(error.contains("posts2.txt"));
    QCOMPARE(list.count(), 1);
}

void TestForumLogins::addCurrentUrlStoresAtOnce()
{
    TestEnvironment env;
    ForumsPage form(env);
    form.load();
    QVERIFY(showPage(form, "data:text/html,<p>forum</p>"));
    const QString url = form.currentUrl().toString();
    form.forumsPanel()->addForumButton->click();
    form.forumsPanel()->addForumButton->click();

    QCOMPARE(rowCount(form.forumsPanel()->forumList), 1);
    QCOMPARE(currentRow(form.forumsPanel()->forumList), 0);
    QCOMPARE(form.forumsPanel()->userNameBox->text(), QString("Enter Username"));
    QCOMPARE(form.forumsPanel()->passwordBox->text(), QString());
    QVERIFY(form.forumsPanel()->userNameBox->isEnabled());
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), (url + "|Enter Username|\r\n\r\n").toUtf8());
}

void TestForumLogins::typingRewritesFileEachKeystroke()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|\r\n\r\n"));
    ForumsPage form(env);
    form.load();
    form.show();
    chooseRow(form.forumsPanel()->forumList, 0);
    form.forums().selectForum(0);
    form.forumsPanel()->passwordBox->setFocus();
    for (const QString &typed : {QString("s"), QString("se"), QString("sec")}) {
        QTest::keyClick(form.forumsPanel()->passwordBox, typed.back().toLatin1());
        QCOMPARE(readFileBytes(env.filePath("posts2.txt")), ("http://a|ann|" + typed + "\r\n\r\n").toUtf8());
    }
}

void TestForumLogins::selectingShowsLoginAndUrl()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|pa\r\n\r\nhttp://b|bob|pb\r\n\r\n"));
    ForumsPage form(env);
    form.load();
    QVERIFY(!form.forumsPanel()->userNameBox->isEnabled());
    chooseRow(form.forumsPanel()->forumList, 1);
    form.forums().selectForum(1);
    QCOMPARE(form.panelText(StatusPanel::Activity), QString("http://b"));
    QCOMPARE(form.forumsPanel()->userNameBox->text(), QString("bob"));
    QCOMPARE(form.forumsPanel()->passwordBox->text(), QString("pb"));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://a|ann|pa\r\n\r\nhttp://b|bob|pb\r\n\r\n"));
}

void TestForumLogins::editsAfterRemovalGoNowhere()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|pa\r\n\r\nhttp://b|bob|pb\r\n\r\n"));
    ForumsPage form(env);
    form.load();
    chooseRow(form.forumsPanel()->forumList, 0);
    form.forums().selectForum(0);
    form.boxes.answerYes = false;
    form.forumsPanel()->removeForumButton->click(); // answered No: kept
    QCOMPARE(form.boxes.questions, QStringList{"Threadloom|Remove this forum and its login?\n\nhttp://a"});
    QCOMPARE(form.forumLogins.count(), 2);
    form.boxes.answerYes = true;
    form.forumsPanel()->removeForumButton->click();
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://b|bob|pb\r\n\r\n"));
    QCOMPARE(form.forumsPanel()->userNameBox->text(), QString("ann"));
    QCOMPARE(currentRow(form.forumsPanel()->forumList), -1);
    form.forumsPanel()->userNameBox->setText("changed");
    form.forumsPanel()->passwordBox->setText("changed");
    QCOMPARE(form.forumLogins.at(0).userName, QString("bob"));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://b|bob|pb\r\n\r\n"));
    form.forumsPanel()->removeForumButton->click(); // nothing selected: nothing removed
    QCOMPARE(form.forumLogins.count(), 1);
}

void TestForumLogins::keysChooseForum_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("row");
    QTest::newRow("down") << QList<int>{Qt::Key_Down} << 1;
    QTest::newRow("end") << QList<int>{Qt::Key_End} << 2;
    QTest::newRow("type-ahead") << QList<int>{Qt::Key_H} << 1;
}

// Whichever way a forum is chosen, the boxes show its login and edits go to it.
void TestForumLogins::keysChooseForum()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, row);
    TestEnvironment env;
    const QStringList lines{"http://f1/|ann|pw1", "http://f2/|bob|pw2", "http://f3/|cid|pw3"};
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), (lines.join("\r\n\r\n") + "\r\n\r\n").toUtf8()));
    ForumsPage form(env);
    form.load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QListView *list = form.forumsPanel()->forumList;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(rowIndex(list, 0)).center());
    for (int key : keys)
        QTest::keyClick(list, Qt::Key(key));

    const QStringList chosen = lines[row].split('|');
    QCOMPARE(form.panelText(StatusPanel::Activity), chosen[0]);
    QCOMPARE(form.forumsPanel()->userNameBox->text(), chosen[1]);
    QCOMPARE(form.forumsPanel()->passwordBox->text(), chosen[2]);
    QTest::keyClick(form.forumsPanel()->userNameBox, Qt::Key_X);
    QStringList expected = lines;
    expected[row] = chosen[0] + "|" + chosen[1] + "x|" + chosen[2];
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), (expected.join("\r\n\r\n") + "\r\n\r\n").toUtf8());
}

void TestForumLogins::userNameRefusesBar()
{
    TestEnvironment env;
    QVERIFY(writeFileBytes(env.filePath("posts2.txt"), "http://a|ann|pa\r\n\r\n"));
    ForumsPage form(env);
    form.load();
    form.show();
    chooseRow(form.forumsPanel()->forumList, 0);
    form.forums().selectForum(0);
    form.forumsPanel()->userNameBox->setFocus();
    QTest::keyClicks(form.forumsPanel()->userNameBox, "x|y");
    QCOMPARE(form.forumsPanel()->userNameBox->text(), QString("annxy"));
    QCOMPARE(readFileBytes(env.filePath("posts2.txt")), QByteArray("http://a|annxy|pa\r\n\r\n"));
}

QTEST_MAIN(TestForumLogins)
#include "tst_forumlogins.moc"
