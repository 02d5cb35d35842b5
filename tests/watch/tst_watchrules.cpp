#include "watch/answerclassifier.h"
#include "watch/loginstate.h"
#include "watch/pagelinks.h"
#include "watch/postnumbers.h"
#include "watch/replyrule.h"
#include "watch/threadaddress.h"
#include "watch/watchedpostlist.h"

#include <QtTest>

// The rules that decide what a watched thread is and what its measurement means.
class TestWatchRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void namesThreads_data();
    void namesThreads();
    void keysThreads_data();
    void keysThreads();
    void readsCanonicalLinks_data();
    void readsCanonicalLinks();
    void classifiesAnswers_data();
    void classifiesAnswers();
    void extractsPostNumbers_data();
    void extractsPostNumbers();
    void findsPostAnchors_data();
    void findsPostAnchors();
    void findsLaterPages_data();
    void findsLaterPages();
    void readsLoginState_data();
    void readsLoginState();
    void judgesReplies_data();
    void judgesReplies();
};

void TestWatchRules::namesThreads_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("thread");

    QTest::newRow("new post's anchor") << "http://f.example/t/#comment-7"
                                       << "http://f.example/t/";
    QTest::newRow("held post's preview key") << "http://f.example/t/?unapproved=11&moderation-hash=4a5a#comment-11"
                                             << "http://f.example/t/";
    QTest::newRow("other parameters kept in order, letter case of the key ignored")
        << "http://f.example/viewtopic.php?t=3&Unapproved=1&start=20&MODERATION-HASH=x"
        << "http://f.example/viewtopic.php?t=3&start=20";
    QTest::newRow("parameter that only starts like one") << "http://f.example/t?unapprovedx=1"
                                                         << "http://f.example/t?unapprovedx=1";
    QTest::newRow("nothing to drop") << "http://f.example/showthread.php?t=7&page=2"
                                     << "http://f.example/showthread.php?t=7&page=2";
    QTest::newRow("query in the fragment only") << "http://f.example/t#x?unapproved=1"
                                                << "http://f.example/t";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("post pointer beside the thread") << "http://f.example/showthread.php?tid=1&pid=82#pid82"
                                                    << "http://f.example/showthread.php?tid=1";
    QTest::newRow("short keys, any order") << "http://f.example/viewtopic.php?p=9&f=2&t=5#p9"
                                           << "http://f.example/viewtopic.php?f=2&t=5";
    QTest::newRow("post pointer inside the thread key") << "http://f.example/index.php?topic=12.msg34#msg34"
                                                        << "http://f.example/index.php?topic=12";
    QTest::newRow("post pointer alone names no thread") << "http://f.example/viewtopic.php?p=123#p123"
                                                        << "http://f.example/viewtopic.php?p=123";
    QTest::newRow("page of the thread kept") << "http://f.example/showthread.php?tid=1&page=3&pid=50"
                                             << "http://f.example/showthread.php?tid=1&page=3";
}

void TestWatchRules::keysThreads_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("key");

    QTest::newRow("page parameter") << "http://f.example/showthread.php?tid=1&page=3"
                                    << "http://f.example/showthread.php?tid=1";
    QTest::newRow("start, with a post pointer") << "http://f.example/viewtopic.php?t=5&start=40&p=9#p9"
                                                << "http://f.example/viewtopic.php?t=5";
    QTest::newRow("first post after the thread key") << "http://f.example/index.php?topic=12.40"
                                                     << "http://f.example/index.php?topic=12";
    QTest::newRow("page in the path") << "http://f.example/threads/spring.12/page-3"
                                      << "http://f.example/threads/spring.12";
    QTest::newRow("comment page, closing slash") << "http://f.example/2024/03/spring/comment-page-2/#comments"
                                                 << "http://f.example/2024/03/spring";
    QTest::newRow("named page is another page") << "http://f.example/index.php?page=guestbook"
                                                << "http://f.example/index.php?page=guestbook";
    QTest::newRow("front page named like a page") << "http://f.example/page2"
                                                  << "http://f.example/page2";
}

void TestWatchRules::keysThreads()
{
    QFETCH(QString, url);
    QTEST(threadKey(url), "key");
}

void TestWatchRules::readsCanonicalLinks_data()
{
    QTest::addColumn<QString>("pageUrl");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QString>("thread");

    const QString post = QStringLiteral("http://f.example/forum/viewtopic.php?p=123#p123");
    QTest::newRow("relative, with references")
        << post
        << QByteArray("<link rel=\"alternate\" href=\"/feed\">"
                      "<LINK REL=\"Canonical\" HREF=\"./viewtopic.php?t=5&amp;start=20\">")
        << "http://f.example/forum/viewtopic.php?t=5&start=20";
    QTest::newRow("absolute, fragment and post pointer dropped")
        << "http://f.example/showthread.php?pid=82"
        << QByteArray("<link href='http://f.example/showthread.php?tid=1&amp;pid=82#pid82' rel='canonical'/>")
        << "http://f.example/showthread.php?tid=1";
    QTest::newRow("another host's word is none")
        << post << QByteArray("<link rel=\"canonical\" href=\"http://mirror.example/viewtopic.php?t=5\">")
        << "http://f.example/forum/viewtopic.php?p=123";
    QTest::newRow("front page for every page is none")
        << "http://f.example/showthread.php?tid=1&pid=82" << QByteArray("<link rel=\"canonical\" href=\"/\">")
        << "http://f.example/showthread.php?tid=1";
    QTest::newRow("no canonical link") << "http://f.example/t/#comment-7" << QByteArray("<title>t</title>")
                                       << "http://f.example/t/";
}

void TestWatchRules::readsCanonicalLinks()
{
    QFETCH(QString, pageUrl);
    QFETCH(QByteArray, head);
    QTEST(pageThreadAddress(pageUrl, head), "thread");
}

void TestWatchRules::namesThreads()
{
    QFETCH(QString, url);
    QTEST(threadAddress(url), "thread");
}

void TestWatchRules::classifiesAnswers_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    QTest::addColumn<QByteArray>("location");
    QTest::addColumn<QString>("failure");

    const QByteArray none;
    QTest::newRow("200") << 200 << QByteArray("OK") << none << QString();
    QTest::newRow("206 is a page too") << 206 << none << none << QString();
    QTest::newRow("members-only page") << 404 << QByteArray("Not Found") << none << "404 Not Found";
    QTest::newRow("no reason phrase") << 503 << none << none << "503";
    QTest::newRow("redirect, absolute") << 301 << none << QByteArray("https://f.example/t/")
                                        << "moved to https://f.example/t/";
    QTest::newRow("redirect, relative") << 302 << none << QByteArray("c/u") << "moved to http://f.example/a/c/u";
    QTest::newRow("redirect to log in") << 302 << none << QByteArray("/wp-login.php?redirect_to=x") << "login needed";
    QTest::newRow("redirect to sign in") << 303 << none << QByteArray("https://f.example/users/sign_in")
                                         << "login needed";
    QTest::newRow("host named login is no log-in page")
        << 301 << none << QByteArray("http://login.example/t") << "moved to http://login.example/t";
    QTest::newRow("redirect without a place") << 302 << QByteArray("Found") << none << "302 Found";
    QTest::newRow("no status line") << 0 << none << none << "no readable answer from the web server";
    QTest::newRow("unreadable reason shortened")
        << 500 << QByteArray(300, 'x') << none << QStringLiteral("500 ") + QString(100, QLatin1Char('x'));
}

void TestWatchRules::classifiesAnswers()
{
    QFETCH(int, status);
    QFETCH(QByteArray, reason);
    QFETCH(QByteArray, location);
    QTEST(answerFailure(status, reason, location, QStringLiteral("f.example/a/b?x")), "failure");
}

void TestWatchRules::extractsPostNumbers_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<QList<qint64>>("numbers");

    QTest::newRow("comment ids, two families joined")
        << QByteArray("<li id=\"comment-12\"><article id='div-comment-12'></article></li><li id=comment-15>")
        << QList<qint64>{12, 15};
    QTest::newRow("anchors p123") << QByteArray("<a name=\"p123\"></a>x<a name=\"p99\"></a>") << QList<qint64>{99, 123};
    QTest::newRow("post_ and msg") << QByteArray(
                                          "<div id=\"post_5\"><div id=\"post_6\"><div id=\"msg7\"><div id=\"msg8\">")
                                   << QList<qint64>{5, 6, 7, 8};
    QTest::newRow("data attributes") << QByteArray("<article data-content=\"post-31\"><article data-content='post-30'>"
                                                   "<div data-post-id=\"4\"></div><div data-post-id=\"2\">")
                                     << QList<qint64>{2, 4, 30, 31};
    QTest::newRow("a lone post is no family")
        << QByteArray("<article id=\"post-9\"><li id=\"comment-1\"><li id=\"comment-2\">") << QList<qint64>{1, 2};
    QTest::newRow("widgets, menus and nonces are no posts")
        << QByteArray(
               "<div id=\"recent-posts-2\"><div id=\"recent-posts-3\"><li id=\"menu-item-5\"><li id=\"menu-item-6\">"
               "<input name=\"post_nonce\" value=\"81\"><div data-id=\"4\"><div data-id=\"5\">"
               "<div id=\"post-2-reply\"><div id=\"post-3-reply\"><div id=\"p1234567890123\"><div "
               "id=\"p1234567890124\">")
        << QList<qint64>();
    QTest::newRow("inside scripts and comments ignored")
        << QByteArray("<script>var a='<div id=\"p1\">',b='<div id=\"p2\">';</script><!-- <a id=p3><a id=p4> -->")
        << QList<qint64>();
    QTest::newRow("only in link targets")
        << QByteArray("<a href=\"#comment-1\"><a href=\"#comment-2\">") << QList<qint64>();
    QTest::newRow("broken markup") << QByteArray("<div id=\"p1\" <div id='p2'><div id=\"p3") << QList<qint64>{1, 2, 3};
    QTest::newRow("pid anchors") << QByteArray("<a name=\"pid7\"></a><a name=\"pid9\"></a>") << QList<qint64>{7, 9};
    QTest::newRow("one post that its own link points at")
        << QByteArray("<a name=\"pid5\" id=\"pid5\"></a><div id=\"post_5\"><a href=\"t?tid=1&amp;pid=5#pid5\">#1</a>")
        << QList<qint64>{5};
    QTest::newRow("one post no link points at") << QByteArray("<div id=\"p5\"><a href=\"#top\">") << QList<qint64>();
    QTest::newRow("two lone posts are no one post")
        << QByteArray("<div id=\"p5\"><a href=\"#p5\"><li id=\"comment-8\"><a href=\"#comment-8\">") << QList<qint64>();
}

void TestWatchRules::findsPostAnchors_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<qint64>("post");
    QTest::addColumn<QByteArray>("anchor");

    const QByteArray mybb = "<a name=\"pid7\" id=\"pid7\"></a><div id=\"post_7\"><a name=\"pid9\" id=\"pid9\"></a>"
                            "<div id=\"post_9\">";
    QTest::newRow("the name first on the page") << mybb << qint64(9) << QByteArray("pid9");
    QTest::newRow("a data attribute is no anchor")
        << QByteArray("<div data-post-id=\"4\"></div><div data-post-id=\"5\"></div>") << qint64(5) << QByteArray();
    QTest::newRow("lone post: the one its link points at")
        << QByteArray("<div id=\"post_5\"><div id=\"p5\"><a href=\"#p5\">") << qint64(5) << QByteArray("p5");
}

void TestWatchRules::findsPostAnchors()
{
    QFETCH(QByteArray, html);
    QFETCH(qint64, post);
    QTEST(readPostNames(html).anchors.value(post), "anchor");
}

void TestWatchRules::findsLaterPages_data()
{
    QTest::addColumn<QString>("pageUrl");
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<qint64>("highest");
    QTest::addColumn<QString>("last");

    const QString mybb = QStringLiteral("http://f.example/showthread.php?tid=1");
    QTest::newRow("page parameter, the last page linked")
        << mybb
        << QByteArray("<a href=\"showthread.php?tid=1&amp;page=2\">2</a><a href=\"showthread.php?tid=1&amp;page=3\">3"
                      "</a><a href=\"showthread.php?tid=1&amp;page=2\" class=\"pagination_next\">Next</a>")
        << qint64(3) << "http://f.example/showthread.php?tid=1&page=3";
    QTest::newRow("on a later page, earlier pages are none")
        << "http://f.example/showthread.php?tid=1&page=3"
        << QByteArray("<a href=\"showthread.php?tid=1\">1</a><a href=\"showthread.php?tid=1&amp;page=2\">2</a>")
        << qint64(0) << "";
    QTest::newRow("start parameter and rel=next")
        << "http://f.example/viewtopic.php?t=5"
        << QByteArray("<a href=\"./viewtopic.php?t=5&amp;start=20\" rel=\"next\">Next</a>") << qint64(20)
        << "http://f.example/viewtopic.php?t=5&start=20";
    QTest::newRow("first post after the thread key, in the head")
        << "http://f.example/index.php?topic=12.0"
        << QByteArray("<link rel=\"next\" href=\"http://f.example/index.php?topic=12.20\" />"
                      "<a href=\"index.php?topic=13.0\">other thread</a>")
        << qint64(20) << "http://f.example/index.php?topic=12.20";
    QTest::newRow("number after the thread's own in the path")
        << "http://f.example/thread-12.html"
        << QByteArray("<a href=\"thread-12-2.html\">2</a><a href=\"thread-41.html\">other thread</a>") << qint64(2)
        << "http://f.example/thread-12-2.html";
    QTest::newRow("page in the path")
        << "http://f.example/threads/spring.12/"
        << QByteArray("<a href=\"/threads/spring.12/page-2\">2</a><a href=\"/threads/other.13/page-9\">") << qint64(2)
        << "http://f.example/threads/spring.12/page-2";
    QTest::newRow("other threads, forums and hosts are none")
        << mybb
        << QByteArray("<a href=\"showthread.php?tid=2&amp;page=2\"><a href=\"forumdisplay.php?fid=2&amp;page=2\">"
                      "<a href=\"http://other.example/showthread.php?tid=1&amp;page=2\">"
                      "<a href=\"showthread.php?tid=1&amp;action=nextnewest\">")
        << qint64(0) << "";
    QTest::newRow("a next page whose address tells nothing")
        << "http://f.example/t/5" << QByteArray("<a rel=\"next\" href=\"/t/5?cursor=Zx8\">more</a>") << qint64(1)
        << "http://f.example/t/5?cursor=Zx8";
}

void TestWatchRules::findsLaterPages()
{
    QFETCH(QString, pageUrl);
    QFETCH(QByteArray, html);
    const LaterPages later = laterPages(pageUrl, readPageLinks(html));
    QTEST(later.highest, "highest");
    QTEST(later.lastAddress, "last");
}

void TestWatchRules::extractsPostNumbers()
{
    QFETCH(QByteArray, html);
    QTEST(extractPostNumbers(html), "numbers");
}

void TestWatchRules::readsLoginState_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("passwordField");

    QTest::newRow("log-out link") << QByteArray("<a href=\"/ucp.php?mode=logout&sid=1\">Log out</a><a href=\"/login\">")
                                  << int(LoginState::Member) << false;
    QTest::newRow("log-in link") << QByteArray("<a href=\"/wp-login.php\">Log in</a>") << int(LoginState::Guest)
                                 << false;
    QTest::newRow("log-in form") << QByteArray("<form action=\"/x\"><input type=\"PASSWORD\" name=\"pw\"></form>")
                                 << int(LoginState::Guest) << true;
    QTest::newRow("a post that talks of logging out")
        << QByteArray("<p>How do I logout?</p>") << int(LoginState::Unknown) << false;
}

void TestWatchRules::readsLoginState()
{
    QFETCH(QByteArray, html);
    const LoginSigns signs = readLoginSigns(html);
    QTEST(int(signs.state), "state");
    QTEST(signs.passwordField, "passwordField");
}

void TestWatchRules::judgesReplies_data()
{
    QTest::addColumn<QString>("storedSize");
    QTest::addColumn<QList<qint64>>("storedPosts");
    QTest::addColumn<int>("storedLogin");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QList<qint64>>("posts");
    QTest::addColumn<int>("login");
    QTest::addColumn<bool>("passwordField");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("adopt");
    // The highest later page the baseline linked to, the page's links, and what comes of them.
    QTest::addColumn<qint64>("storedLaterPage");
    QTest::addColumn<QByteArray>("links");
    QTest::addColumn<QString>("openAddress");
    QTest::addColumn<bool>("adoptLaterPage");

    const int guest = int(LoginState::Guest);
    const int member = int(LoginState::Member);
    const int unknown = int(LoginState::Unknown);
    const QList<qint64> two{10, 11};
    const QList<qint64> none;
    const qint64 unknownPage = WatchedPost::unknownPage;
    const QByteArray noLinks;
    QTest::newRow("new post numbers") << "20000" << two << member << qint64(16000) << QList<qint64>{10, 11, 12, 14}
                                      << guest << false << int(ReplyVerdict::NewReplies) << "2 new posts" << false
                                      << unknownPage << noLinks
                                      << QStringLiteral("http://f.example/showthread.php?tid=1#post_12") << false;
    QTest::newRow("toolbar grew, same posts")
        << "16000" << two << guest << qint64(20000) << two << member << false << int(ReplyVerdict::Unchanged) << ""
        << false << unknownPage << noLinks << QString() << false;
    QTest::newRow("post deleted") << "16000" << two << guest << qint64(15000) << QList<qint64>{10} << guest << false
                                  << int(ReplyVerdict::Unchanged) << "" << false << unknownPage << noLinks << QString()
                                  << true;
    QTest::newRow("posts gone, log-in form instead")
        << "16000" << two << member << qint64(3000) << none << guest << true << int(ReplyVerdict::Failed)
        << "login needed" << false << unknownPage << noLinks << QString() << false;
    QTest::newRow("no family, login changed")
        << "16000" << none << guest << qint64(20000) << none << member << false << int(ReplyVerdict::Rebaseline)
        << "Logged in now, logged out when watched: this size is the new baseline" << false << unknownPage << noLinks
        << QString() << false;
    QTest::newRow("no family, logged out since")
        << "20000" << none << member << qint64(16000) << none << guest << false << int(ReplyVerdict::Rebaseline)
        << "Logged out now, logged in when watched: this size is the new baseline" << false << unknownPage << noLinks
        << QString() << false;
    QTest::newRow("no family, same login, grew")
        << "16000" << none << guest << qint64(16501) << none << guest << false << int(ReplyVerdict::NewReplies)
        << "grew by 501 bytes" << false << unknownPage << noLinks << QString() << false;
    QTest::newRow("old row: size rule, login unknown")
        << "16000" << none << unknown << qint64(20000) << none << member << false << int(ReplyVerdict::NewReplies)
        << "grew by 4000 bytes" << false << unknownPage << noLinks << QString() << false;
    QTest::newRow("old row gets the page's posts")
        << "16000" << none << unknown << qint64(16300) << two << guest << false << int(ReplyVerdict::Unchanged) << ""
        << true << unknownPage << noLinks << QString() << true;
    QTest::newRow("old row that grew keeps being reported")
        << "16000" << none << unknown << qint64(17000) << two << guest << false << int(ReplyVerdict::NewReplies)
        << "grew by 1000 bytes" << false << unknownPage << noLinks << QString() << false;
    QTest::newRow("posts vanished: size rule")
        << "16000" << two << guest << qint64(16100) << none << guest << false << int(ReplyVerdict::Unchanged) << ""
        << false << unknownPage << noLinks << QString() << true;
    QTest::newRow("never measured") << "0" << none << unknown << qint64(9000) << two << guest << false
                                    << int(ReplyVerdict::Rebaseline) << "" << false << unknownPage << noLinks
                                    << QString() << false;
    const QList<qint64> one{5};
    const QByteArray pages =
        "<a href=\"showthread.php?tid=1&amp;page=2\">2</a><a href=\"showthread.php?tid=1&amp;page=3\">3</a>";
    QTest::newRow("one post, now for members only")
        << "11000" << one << member << qint64(3000) << none << guest << true << int(ReplyVerdict::Failed)
        << "login needed" << false << unknownPage << noLinks << QString() << false;
    QTest::newRow("one post a guest may read")
        << "11000" << one << member << qint64(10500) << one << guest << true << int(ReplyVerdict::Rebaseline)
        << "Logged out now, logged in when watched: this size is the new baseline" << false << unknownPage << noLinks
        << QString() << false;
    QTest::newRow("one post, then a reply")
        << "11000" << one << member << qint64(12000) << QList<qint64>{5, 6} << member << false
        << int(ReplyVerdict::NewReplies) << "1 new post" << false << unknownPage << noLinks
        << "http://f.example/showthread.php?tid=1#post_6" << false;
    QTest::newRow("a later page than at the baseline")
        << "16000" << two << member << qint64(16100) << two << member << false << int(ReplyVerdict::NewReplies)
        << "a new page" << false << qint64(2) << pages << "http://f.example/showthread.php?tid=1&page=3" << false;
    QTest::newRow("the same later pages")
        << "16000" << two << member << qint64(16100) << two << member << false << int(ReplyVerdict::Unchanged) << ""
        << false << qint64(3) << pages << QString() << false;
    QTest::newRow("a later page after a change of login is no proof")
        << "16000" << two << guest << qint64(19000) << two << member << false << int(ReplyVerdict::Unchanged) << ""
        << false << qint64(0) << pages << QString() << false;
    QTest::newRow("a later page on a page judged by size")
        << "16000" << none << guest << qint64(16100) << none << guest << false << int(ReplyVerdict::NewReplies)
        << "a new page" << false << qint64(0) << pages << "http://f.example/showthread.php?tid=1&page=3" << false;
    QTest::newRow("later pages not known: kept from now on")
        << "16000" << two << guest << qint64(16100) << two << guest << false << int(ReplyVerdict::Unchanged) << ""
        << false << unknownPage << pages << QString() << true;
}

void TestWatchRules::judgesReplies()
{
    QFETCH(QString, storedSize);
    QFETCH(QList<qint64>, storedPosts);
    QFETCH(int, storedLogin);
    QFETCH(qint64, size);
    QFETCH(QList<qint64>, posts);
    QFETCH(int, login);
    QFETCH(bool, passwordField);
    QFETCH(qint64, storedLaterPage);
    QFETCH(QByteArray, links);
    const WatchedPost stored{QStringLiteral("http://f.example/showthread.php?tid=1"), storedSize, storedPosts,
                             LoginState(storedLogin), storedLaterPage};
    PageMeasurement now;
    now.size = size;
    now.postNumbers = posts;
    for (const qint64 post : posts)
        now.anchors.insert(post, "post_" + QByteArray::number(post));
    now.login = {LoginState(login), passwordField};
    now.pageLinks = readPageLinks(links);
    now.read = true;
    const ReplyVerdict verdict = judgeReplies(stored, now);
    QTEST(int(verdict.kind), "kind");
    QTEST(verdict.text, "text");
    QTEST(verdict.adoptPostNumbers, "adopt");
    QTEST(verdict.openAddress, "openAddress");
    QTEST(verdict.adoptLaterPage, "adoptLaterPage");
}

QTEST_APPLESS_MAIN(TestWatchRules)
#include "tst_watchrules.moc"
