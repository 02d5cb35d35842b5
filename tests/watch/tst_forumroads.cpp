#include "browser/postcheck.h"
#include "classicforum.h"
#include "engineforum.h"
#include "testenvironment.h"
#include "watch/browsercookiejar.h"
#include "watch/replycheckrun.h"
#include "watch/sizerecorder.h"
#include "watch/threadaddress.h"
#include "watch/watchedpostlist.h"

#include <QNetworkCookie>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The browser's login as the probes see it, one thread (path) at a time.
struct Session
{
    BrowserCookieJar jar;

    static QNetworkCookie cookie(const QString &path)
    {
        QNetworkCookie session("session", "1");
        session.setDomain(QStringLiteral("127.0.0.1"));
        session.setPath(path);
        return session;
    }
    void set(const QString &path, bool member)
    {
        if (member)
            jar.addCookie(cookie(path));
        else
            jar.removeCookie(cookie(path));
    }
};

// Watches pageUrl as "Watch This Post" does and waits for its measurement.
bool watchAndMeasure(WatchedPostList &list, SizeRecorder &recorder, const QString &pageUrl)
{
    const int index = list.watchThread(pageUrl);
    if (index < 0)
        return false;
    QSignalSpy done(&recorder, &SizeRecorder::recorded);
    QSignalSpy failed(&recorder, &SizeRecorder::failed);
    recorder.measure(list.at(index).url);
    return QTest::qWaitFor([&] { return done.count() + failed.count() > 0; }, 10000) && failed.isEmpty();
}

struct CheckLog
{
    QStringList flagged, details, failed, notes, openings;
    QString box;
};

CheckLog runCheck(WatchedPostList &list, BrowserCookieJar &jar)
{
    ReplyCheckRun run(list);
    run.probeSettings().cookieJar = &jar;
    CheckLog log;
    QObject::connect(&run, &ReplyCheckRun::newReply, &run, [&](const QString &u) { log.flagged << u; });
    QObject::connect(&run, &ReplyCheckRun::newReplyDetail, &run,
                     [&](const QString &, const QString &d) { log.details << d; });
    QObject::connect(&run, &ReplyCheckRun::postFailed, &run,
                     [&](const QString &u, const QString &r) { log.failed << u + QStringLiteral(" - ") + r; });
    QObject::connect(&run, &ReplyCheckRun::postNoted, &run, [&](const QString &u) { log.notes << u; });
    QObject::connect(&run, &ReplyCheckRun::newReplyOpensAt, &run,
                     [&](const QString &, const QString &a) { log.openings << a; });
    QObject::connect(&run, &ReplyCheckRun::failed, &run, [&](const QString &t) { log.box = t; });
    QSignalSpy finished(&run, &ReplyCheckRun::finished);
    run.start();
    if (!QTest::qWaitFor([&] { return finished.count() > 0; }, 20000))
        log.box = QStringLiteral("the check never finished");
    return log;
}

// A data folder, the engine, the browser's login and the watched posts measured through it.
struct Road
{
    TestEnvironment environment;
    EngineForum forum;
    Session session;
    WatchedPostList list{environment.folder()};
    SizeRecorder recorder{list};

    Road()
    {
        list.load();
        recorder.probe().setCookieJar(&session.jar);
    }
    bool watch(const QString &pageUrl) { return watchAndMeasure(list, recorder, pageUrl); }
};

// The classic board, a member's login as the probes see it, and the watched posts measured
// through it.
struct ClassicRoad
{
    TestEnvironment environment;
    ClassicForum forum;
    BrowserCookieJar jar;
    WatchedPostList list{environment.folder()};
    SizeRecorder recorder{list};

    ClassicRoad()
    {
        list.load();
        recorder.probe().setCookieJar(&jar);
    }
    // The member's cookie names the board's port: it is set once the board listens.
    bool start()
    {
        if (!forum.start())
            return false;
        loggedIn(true);
        return true;
    }
    void loggedIn(bool member)
    {
        if (member)
            jar.addCookie(forum.memberCookie());
        else
            jar.removeCookie(forum.memberCookie());
    }
    // "Watch This Post" on the page the board shows alice at pageUrl (page of the thread), with
    // the address that page gives its thread.
    bool watch(const QString &pageUrl, int thread, int page, ForumShape shape = ForumShape::MyBB)
    {
        const QByteArray shown = forum.threadPage(thread, page, QStringLiteral("alice"), shape);
        const int index = list.watchThread(pageUrl, pageThreadAddress(pageUrl, shown));
        QSignalSpy done(&recorder, &SizeRecorder::recorded);
        QSignalSpy failed(&recorder, &SizeRecorder::failed);
        recorder.measure(list.at(index).url);
        return QTest::qWaitFor([&] { return done.count() + failed.count() > 0; }, 10000) && failed.isEmpty();
    }
};

QString bodyOf(const QByteArray &page)
{
    const QString html = QString::fromUtf8(page);
    const qsizetype start = html.indexOf(QLatin1String("<body"));
    return html.mid(start, html.indexOf(QLatin1String("</body>")) + 7 - start);
}

} // namespace

// A user's roads through a comment engine that renders, moderates and hides posts as real ones do.
class TestForumRoads : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void autoWatchFindsThePostAsShown_data();
    void autoWatchFindsThePostAsShown();
    void oneRowPerThread();
    void errorPagesAreNotMeasured_data();
    void errorPagesAreNotMeasured();
    void loginAndLogoutRaiseNoAlarm_data();
    void loginAndLogoutRaiseNoAlarm();
    void postPointersKeepOneRow_data();
    void postPointersKeepOneRow();
    void membersOnlyThreadOfOnePost_data();
    void membersOnlyThreadOfOnePost();
    void laterPageIsANewReply_data();
    void laterPageIsANewReply();
    void firstNewPostIsWhereTheRowOpens();
};

void TestForumRoads::autoWatchFindsThePostAsShown_data()
{
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<bool>("onPage");

    QTest::newRow("typographic quotes and dashes") << "It's a great read -- thanks\r\nSee you\r\n\r\n" << true;
    QTest::newRow("ampersand") << "Q&A night: \"bring questions\"...\r\n\r\n" << true;
    QTest::newRow("starts with an address")
        << "<a href='http://shop.example/a'>http://shop.example/a</a> has the parts\r\n\r\n"
        << true;
    QTest::newRow("another thread's page") << "Nothing like this was posted\r\n\r\n" << false;
}

void TestForumRoads::autoWatchFindsThePostAsShown()
{
    QFETCH(QString, inserted);
    QFETCH(bool, onPage);
    EngineForum forum;
    const int thread = forum.openThread(QStringLiteral("Opening post"));
    if (onPage)
        forum.submit(thread, inserted);
    PostCheck check;
    check.arm(inserted);
    const PostCheck::Ticket ticket = check.downloadCompleted();
    const QString body = bodyOf(forum.threadPage(thread, true));
    QCOMPARE(PostCheck::pageShows(ticket, body, body.mid(body.indexOf(QLatin1Char('>')) + 1)), onPage);
}

void TestForumRoads::oneRowPerThread()
{
    Road road;
    EngineForum &forum = road.forum;
    Session &session = road.session;
    WatchedPostList &list = road.list;
    QVERIFY(forum.start());
    const int thread = forum.openThread(QStringLiteral("Opening post"));
    const int opening = forum.addComment(thread, QStringLiteral("Someone's reply"));

    const QString first = forum.submit(thread, QStringLiteral("My first comment"));
    QVERIFY(first.endsWith(QStringLiteral("#comment-%1").arg(opening + 1)));
    QVERIFY(road.watch(first));
    const QString held = forum.submit(thread, QStringLiteral("Held for moderation"), true);
    QVERIFY(held.contains(QLatin1String("moderation-hash=")));
    QVERIFY(road.watch(held));

    QCOMPARE(list.count(), 1);
    QCOMPARE(list.at(0).url, forum.threadUrl(thread));
    // The held comment is not part of the thread yet: it shows only with its one-time key.
    QCOMPARE(list.at(0).postNumbers, (QList<qint64>{opening - 1, opening, opening + 1}));
    WatchedPostList reread(road.environment.folder());
    reread.load();
    QCOMPARE(reread.at(0).postNumbers, list.at(0).postNumbers);
    QCOMPARE(runCheck(list, session.jar).flagged, QStringList());
}

void TestForumRoads::errorPagesAreNotMeasured_data()
{
    QTest::addColumn<QString>("path"); // %1: the thread
    QTest::addColumn<QString>("reason");

    QTest::newRow("members-only thread without the login") << "/thread/%1/"
                                                           << "404 Not Found";
    QTest::newRow("sent to the log-in page") << "/private/%1/"
                                             << "login needed";
    QTest::newRow("thread moved") << "/old/%1/"
                                  << "moved to %2/thread/%1/";
}

void TestForumRoads::errorPagesAreNotMeasured()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    Road road;
    EngineForum &forum = road.forum;
    Session &session = road.session;
    WatchedPostList &list = road.list;
    QVERIFY(forum.start());
    const int thread = forum.openThread(QStringLiteral("Members talk"), true);
    forum.addComment(thread, QStringLiteral("A member's answer"));
    const QString url = forum.url(path.arg(thread));
    session.set(path.arg(thread), true);
    if (!path.startsWith(QLatin1String("/old"))) {
        QVERIFY(road.watch(url));
    } else {
        list.watch(url);
        list.recordSize(url, 5000);
    }
    const WatchedPost baseline = list.at(0);

    session.set(path.arg(thread), false);
    forum.addComment(thread, QString(1500, QLatin1Char('r')));
    const CheckLog log = runCheck(list, session.jar);
    reason = reason.arg(thread).arg(forum.url(QString()));
    QCOMPARE(log.failed, QStringList{url + QStringLiteral(" - ") + reason});
    QCOMPARE(log.flagged, QStringList());
    QVERIFY2(log.box.contains(url + QStringLiteral(" - ") + reason), qPrintable(log.box));
    QCOMPARE(list.at(0).size, baseline.size);
    QCOMPARE(list.at(0).postNumbers, baseline.postNumbers);
}

void TestForumRoads::loginAndLogoutRaiseNoAlarm_data()
{
    QTest::addColumn<bool>("numberedPosts");
    QTest::addColumn<int>("falseAlarms");
    QTest::addColumn<int>("misses");
    QTest::addColumn<int>("notes");
    QTest::addColumn<int>("oldFalseAlarms");
    QTest::addColumn<int>("oldMisses");

    // Over the eight ways to watch, check and be answered: watched as member or guest, checked as
    // member or guest, with or without a real reply of about 1.3 KB in between.
    QTest::newRow("thread with numbered posts") << true << 0 << 0 << 0 << 1 << 1;
    // Without post numbers a changed login explains any change of size, so it is not reported:
    // the row says so instead, at the price of a reply that came with the change.
    QTest::newRow("page without numbered posts") << false << 0 << 2 << 4 << 1 << 1;
}

void TestForumRoads::loginAndLogoutRaiseNoAlarm()
{
    QFETCH(bool, numberedPosts);
    Road road;
    EngineForum &forum = road.forum;
    Session &session = road.session;
    WatchedPostList &list = road.list;
    QVERIFY(forum.start());

    struct Case
    {
        bool watchedAsMember, checkedAsMember, replied;
        QString path;
        int thread = 0;
    };
    QList<Case> cases;
    for (int i = 0; i < 8; ++i)
        cases.append({bool(i & 1), bool(i & 2), bool(i & 4), QString(), 0});
    const QString reply =
        QStringLiteral("Thanks for the write-up, it's what I needed. ") + QString(1250, QLatin1Char('w'));
    for (int i = 0; i < cases.size(); ++i) {
        Case &c = cases[i];
        if (numberedPosts) {
            c.thread = forum.openThread(QStringLiteral("Opening post"));
            forum.addComment(c.thread, QStringLiteral("An earlier reply"));
            c.path = QStringLiteral("/thread/%1/").arg(c.thread);
        } else {
            c.path = QStringLiteral("/page/%1/").arg(i + 1);
            forum.setPlainPage(c.path, QStringLiteral("A page with one text."));
        }
        session.set(c.path, c.watchedAsMember);
        QVERIFY(road.watch(forum.url(c.path)));
    }
    const QList<WatchedPost> baselines = list.posts();
    for (Case &c : cases) {
        session.set(c.path, c.checkedAsMember);
        if (c.replied && numberedPosts)
            forum.addComment(c.thread, reply);
        else if (c.replied)
            forum.setPlainPage(c.path, QStringLiteral("A page with one text. ") + reply);
    }

    // The size rule alone, as before: the same pages measured again by the same probe.
    int oldFalseAlarms = 0, oldMisses = 0;
    PageSizeProbe probe;
    probe.setCookieJar(&session.jar);
    for (int i = 0; i < cases.size(); ++i) {
        QSignalSpy finished(&probe, &PageSizeProbe::finished);
        probe.start(list.at(i).url);
        QVERIFY(finished.wait(10000));
        const bool flagged = ReplyCheckRun::hasGrown(WatchedPostList::sizeValue(baselines.at(i).size),
                                                     finished.first().first().toLongLong());
        oldFalseAlarms += flagged && !cases.at(i).replied;
        oldMisses += !flagged && cases.at(i).replied;
    }

    const CheckLog log = runCheck(list, session.jar);
    int falseAlarms = 0, misses = 0;
    for (int i = 0; i < cases.size(); ++i) {
        const bool flagged = log.flagged.contains(list.at(i).url);
        falseAlarms += flagged && !cases.at(i).replied;
        misses += !flagged && cases.at(i).replied;
    }
    qInfo("%s: size rule %d false alarms, %d misses; now %d false alarms, %d misses, %d notes", QTest::currentDataTag(),
          oldFalseAlarms, oldMisses, falseAlarms, misses, int(log.notes.size()));
    QTEST(falseAlarms, "falseAlarms");
    QTEST(misses, "misses");
    QTEST(int(log.notes.size()), "notes");
    QTEST(oldFalseAlarms, "oldFalseAlarms");
    QTEST(oldMisses, "oldMisses");
    if (numberedPosts)
        QCOMPARE(log.details, QStringList(4, QStringLiteral("1 new post")));
    QCOMPARE(log.failed, QStringList());
}

void TestForumRoads::postPointersKeepOneRow_data()
{
    QTest::addColumn<ForumShape>("shape");
    QTest::addColumn<bool>("canonical");
    QTest::addColumn<QString>("thread"); // the row's address, %1 the thread

    QTest::newRow("thread key beside the post key") << ForumShape::MyBB << false << "/showthread.php?tid=%1";
    QTest::newRow("the same, the page names itself") << ForumShape::MyBB << true << "/showthread.php?tid=%1";
    QTest::newRow("post key alone, the page names the thread") << ForumShape::PhpBB << true << "/viewtopic.php?t=%1";
    QTest::newRow("post pointer inside the thread key") << ForumShape::Smf << false << "/index.php?topic=%1";
}

// After each post the board shows the thread at a pointer to the new post; the thread keeps one
// row, and the user's own posts are no replies.
void TestForumRoads::postPointersKeepOneRow()
{
    QFETCH(ForumShape, shape);
    QFETCH(bool, canonical);
    QFETCH(QString, thread);
    ClassicRoad road;
    ClassicForum &forum = road.forum;
    QVERIFY(road.start());
    forum.setShape(shape);
    forum.setCanonicalLinks(canonical);
    const int topic = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPosts(topic, 3);
    for (const QString &text : {QStringLiteral("Count me in"), QStringLiteral("And my sister")}) {
        const int mine = forum.addPost(topic, text, QStringLiteral("alice"));
        QVERIFY(road.watch(forum.postUrl(mine, shape), topic, forum.pageOf(mine), shape));
    }
    QCOMPARE(road.list.count(), 1);
    QCOMPARE(road.list.at(0).url, forum.url(thread.arg(topic)));
    CheckLog log = runCheck(road.list, road.jar);
    QCOMPARE(log.flagged, QStringList());
    QCOMPARE(log.failed, QStringList());

    forum.addPost(topic, QStringLiteral("See you there"));
    log = runCheck(road.list, road.jar);
    QCOMPARE(log.details, QStringList{QStringLiteral("1 new post")});
}

void TestForumRoads::membersOnlyThreadOfOnePost_data()
{
    QTest::addColumn<bool>("membersOnly");

    QTest::newRow("members only: no measurement") << true;
    QTest::newRow("guests may read: the login note") << false;
}

// A user's new thread has one post. Checked logged out, a members-only thread answers 200 with a
// log-in form and no posts: no baseline, but a login needed, listed at the end.
void TestForumRoads::membersOnlyThreadOfOnePost()
{
    QFETCH(bool, membersOnly);
    ClassicRoad road;
    ClassicForum &forum = road.forum;
    QVERIFY(road.start());
    const int topic =
        forum.openThread(QStringLiteral("My new thread"), QStringLiteral("Hello all"), QStringLiteral("alice"));
    forum.setMembersOnly(topic, membersOnly);
    const QString url = forum.threadUrl(topic);
    QVERIFY(road.watch(url, topic, 1));
    const WatchedPost baseline = road.list.at(0);
    QCOMPARE(baseline.postNumbers, QList<qint64>{forum.postNumbers(topic).first()});

    road.loggedIn(false);
    const CheckLog log = runCheck(road.list, road.jar);
    QCOMPARE(log.flagged, QStringList());
    if (membersOnly) {
        QCOMPARE(log.failed, QStringList{url + QStringLiteral(" - login needed")});
        QVERIFY2(log.box.contains(url + QStringLiteral(" - login needed")), qPrintable(log.box));
        QCOMPARE(log.notes, QStringList());
        QCOMPARE(road.list.at(0).size, baseline.size);
        QCOMPARE(road.list.at(0).login, LoginState::Member);
    } else {
        QCOMPARE(log.failed, QStringList());
        QCOMPARE(log.notes, QStringList{url});
    }
}

void TestForumRoads::laterPageIsANewReply_data()
{
    QTest::addColumn<ForumShape>("shape");

    QTest::newRow("page parameter, a next link without rel") << ForumShape::MyBB;
    QTest::newRow("start parameter, rel=\"next\"") << ForumShape::PhpBB;
    QTest::newRow("first post after the thread key, next page in the head") << ForumShape::Smf;
}

// The watched page is full: the replies go to a page the row never downloads, which the page
// now links to.
void TestForumRoads::laterPageIsANewReply()
{
    QFETCH(ForumShape, shape);
    ClassicRoad road;
    ClassicForum &forum = road.forum;
    QVERIFY(road.start());
    const int topic = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPosts(topic, 18);
    forum.addPost(topic, QStringLiteral("The twentieth post is mine"), QStringLiteral("alice"));
    QCOMPARE(forum.pageCount(topic), 1);
    const QString url = forum.threadUrl(topic, 1, shape);
    QVERIFY(road.watch(url, topic, 1, shape));
    QCOMPARE(runCheck(road.list, road.jar).flagged, QStringList());

    forum.addPosts(topic, 21);
    QCOMPARE(forum.pageCount(topic), 3);
    CheckLog log = runCheck(road.list, road.jar);
    QCOMPARE(log.flagged, QStringList{url});
    QCOMPARE(log.details, QStringList{QStringLiteral("a new page")});
    QCOMPARE(log.openings, QStringList{forum.threadUrl(topic, 3, shape)});

    // Watched again (as opening it does when it shows the user's post), the pages are known.
    QVERIFY(road.watch(url, topic, 1, shape));
    log = runCheck(road.list, road.jar);
    QCOMPARE(log.flagged, QStringList());
}

// The flagged row opens at the first post the user has not seen, by its anchor on the page.
void TestForumRoads::firstNewPostIsWhereTheRowOpens()
{
    ClassicRoad road;
    ClassicForum &forum = road.forum;
    QVERIFY(road.start());
    const int topic = forum.openThread(QStringLiteral("Spring meeting"));
    forum.addPost(topic, QStringLiteral("Count me in"), QStringLiteral("alice"));
    const QString url = forum.threadUrl(topic);
    QVERIFY(road.watch(url, topic, 1));

    const int first = forum.addPost(topic, QStringLiteral("Me too"));
    forum.addPost(topic, QStringLiteral("And me"));
    const CheckLog log = runCheck(road.list, road.jar);
    QCOMPARE(log.details, QStringList{QStringLiteral("2 new posts")});
    const QString anchor = QStringLiteral("pid%1").arg(first);
    QCOMPARE(log.openings, QStringList{url + QLatin1Char('#') + anchor});
    QVERIFY(forum.threadPage(topic, 1, QStringLiteral("alice")).contains("id=\"" + anchor.toUtf8() + '"'));
}

QTEST_GUILESS_MAIN(TestForumRoads)
#include "tst_forumroads.moc"
