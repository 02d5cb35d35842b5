#include "watch/answerclassifier.h"
#include "watch/loginstate.h"
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
    void classifiesAnswers_data();
    void classifiesAnswers();
    void extractsPostNumbers_data();
    void extractsPostNumbers();
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

    const int guest = int(LoginState::Guest);
    const int member = int(LoginState::Member);
    const int unknown = int(LoginState::Unknown);
    const QList<qint64> two{10, 11};
    const QList<qint64> none;
    QTest::newRow("new post numbers") << "20000" << two << member << qint64(16000) << QList<qint64>{10, 11, 12, 14}
                                      << guest << false << int(ReplyVerdict::NewReplies) << "2 new posts" << false;
    QTest::newRow("toolbar grew, same posts") << "16000" << two << guest << qint64(20000) << two << member << false
                                              << int(ReplyVerdict::Unchanged) << "" << false;
    QTest::newRow("post deleted") << "16000" << two << guest << qint64(15000) << QList<qint64>{10} << guest << false
                                  << int(ReplyVerdict::Unchanged) << "" << false;
    QTest::newRow("posts gone, log-in form instead") << "16000" << two << member << qint64(3000) << none << guest
                                                     << true << int(ReplyVerdict::Failed) << "login needed" << false;
    QTest::newRow("no family, login changed")
        << "16000" << none << guest << qint64(20000) << none << member << false << int(ReplyVerdict::Rebaseline)
        << "Logged in now, logged out when watched: this size is the new baseline" << false;
    QTest::newRow("no family, logged out since")
        << "20000" << none << member << qint64(16000) << none << guest << false << int(ReplyVerdict::Rebaseline)
        << "Logged out now, logged in when watched: this size is the new baseline" << false;
    QTest::newRow("no family, same login, grew") << "16000" << none << guest << qint64(16501) << none << guest << false
                                                 << int(ReplyVerdict::NewReplies) << "grew by 501 bytes" << false;
    QTest::newRow("old row: size rule, login unknown")
        << "16000" << none << unknown << qint64(20000) << none << member << false << int(ReplyVerdict::NewReplies)
        << "grew by 4000 bytes" << false;
    QTest::newRow("old row gets the page's posts") << "16000" << none << unknown << qint64(16300) << two << guest
                                                   << false << int(ReplyVerdict::Unchanged) << "" << true;
    QTest::newRow("old row that grew keeps being reported")
        << "16000" << none << unknown << qint64(17000) << two << guest << false << int(ReplyVerdict::NewReplies)
        << "grew by 1000 bytes" << false;
    QTest::newRow("posts vanished: size rule") << "16000" << two << guest << qint64(16100) << none << guest << false
                                               << int(ReplyVerdict::Unchanged) << "" << false;
    QTest::newRow("never measured") << "0" << none << unknown << qint64(9000) << two << guest << false
                                    << int(ReplyVerdict::Rebaseline) << "" << false;
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
    const WatchedPost stored{QStringLiteral("u"), storedSize, storedPosts, LoginState(storedLogin)};
    PageMeasurement now;
    now.size = size;
    now.postNumbers = posts;
    now.login = {LoginState(login), passwordField};
    const ReplyVerdict verdict = judgeReplies(stored, now);
    QTEST(int(verdict.kind), "kind");
    QTEST(verdict.text, "text");
    QTEST(verdict.adoptPostNumbers, "adopt");
}

QTEST_APPLESS_MAIN(TestWatchRules)
#include "tst_watchrules.moc"
