#pragma once

#include "classicforumtypes.h"
#include "loopbackrequest.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QNetworkCookie>
#include <QString>
#include <QStringList>
#include <QTcpServer>

struct ClassicForumViewer;

// A classic PHP bulletin board on 127.0.0.1, for the roads of a post through the real browser
// engine and the reply check: its addresses, status codes, scripts and page weights.
//   member.php?action=login      log-in form (username, password); posting it (action=do_login)
//                                sets the "mybbuser" cookie and redirects (302) to its url field;
//                                member.php?action=logout&logoutkey=K ends the session
//   showthread.php?tid=N         thread N, 20 posts a page (&page=P), page links when there are
//                                more; &pid=K (or pid=K alone) shows the page that holds post K.
//                                Members get a user panel with a log-out link and a quick reply
//                                at the end, which its script (jscripts/thread.js) sends with
//                                XMLHttpRequest to newreply.php?...&ajax=1 and whose answer (the
//                                new posts' markup) it appends to #posts without a load
//   viewtopic.php?t=N / ?p=K     the same thread in the second family's addresses
//   index.php?topic=N.0 / N.msgK and in the third's (see ForumShape)
// With a composer switched on, a member's thread page has a "Reply" button (#composer_open) that
// opens a panel (#composer, jscripts/composer.js) with a text area (#composer_message) in no form
// and a "Submit" button (#composer_submit) that sends it as the quick reply does and closes it.
//   newreply.php?tid=N           the full reply form, SCEditor in BBCode mode on "message", and
//                                a thread review of the newest posts; posting it stores the post
//                                and redirects (302) to the post's address (postUrl)
// Guests' pages carry a log-in link and, as the real board's do, a hidden quick log-in form with
// a password field. Members-only threads answer guests 200 with a no-permission page holding a
// log-in form and no posts. Posts keep what was sent; they are shown through ClassicBbcode.
class ClassicForum : public QTcpServer
{
    Q_OBJECT
public:
    explicit ClassicForum(QObject *parent = nullptr);

    bool start();
    QString url(const QString &path) const; // path starts with "/"
    QString loginUrl() const { return url(QStringLiteral("/member.php?action=login")); }
    QString threadUrl(int thread, int page = 1, ForumShape shape = ForumShape::MyBB) const;
    // Where the board sends the browser after a post: the thread with the post pointer and anchor.
    QString postUrl(int post, ForumShape shape = ForumShape::MyBB) const;
    QString newReplyUrl(int thread) const;

    // A member who can log in; "alice" with password "secret" is one from the start.
    void addMember(const QString &name, const QString &password);
    // The session cookie the board sets at the member's login, for a probe's cookie jar.
    QNetworkCookie memberCookie(const QString &name = QStringLiteral("alice")) const;

    // Threads are numbered from 1 as they are opened; each starts with its opening post.
    int openThread(const QString &subject, const QString &openingPost = QStringLiteral("Welcome to the thread."),
                   const QString &author = QStringLiteral("carol"));
    void setMembersOnly(int thread, bool membersOnly = true);
    // Another user's reply, stored as if posted; returns its number.
    int addPost(int thread, const QString &message, const QString &author = QStringLiteral("bob"));
    // count replies by author ("Reply 1", "Reply 2", ...); returns the last one's number.
    int addPosts(int thread, int count, const QString &author = QStringLiteral("bob"));

    ClassicForumPost post(int number) const;
    QList<int> postNumbers(int thread) const;
    int pageCount(int thread) const;
    int pageOf(int post) const;
    // The link targets the board's rendering of the post holds, as the browser resolves them.
    QStringList linkTargets(int post) const;

    // What the browser sent, in order, and the last of it.
    QList<ClassicForumSubmission> submissions() const { return m_submissions; }
    ClassicForumSubmission lastSubmission() const { return m_submissions.value(m_submissions.size() - 1); }
    // Every request served, as "GET /showthread.php?tid=1".
    QStringList requests() const { return m_requests; }

    // Switches. Thread pages carry <link rel="canonical" href="..."> naming the thread's page
    // (off at first). Posting sends the browser to the post pointer of shape (MyBB at first).
    void setCanonicalLinks(bool on) { m_canonicalLinks = on; }
    void setShape(ForumShape shape) { m_shape = shape; }
    // Members' thread pages offer a reply composer below the quick reply (none at first); it posts
    // as the quick reply does.
    void setComposer(ClassicComposer composer) { m_composer = composer; }
    // Where the reply form's editor is served from (/node_modules/...); tests/editors at first.
    void setEditorPackages(const QString &folder) { m_editorPackages = folder; }

    // A thread page as a member (or a guest, for an empty name) gets it: for size checks.
    QByteArray threadPage(int thread, int page, const QString &member = {}, ForumShape shape = ForumShape::MyBB) const;
    QByteArray noPermissionPage() const;

Q_SIGNALS:
    void served(const QString &request);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Thread
    {
        QString subject;
        QList<int> posts;
        bool membersOnly = false;
    };
    struct Member
    {
        int uid = 0;
        QString password;
    };
    struct Response;

    Response answer(const LoopbackRequest &request);
    Response login(const LoopbackRequest &request, const QHash<QString, QString> &fields);
    Response logout(const LoopbackRequest &request, const QString &member);
    Response reply(const LoopbackRequest &request, const QString &member);
    Response showThread(const LoopbackRequest &request, const QString &member);
    QString memberOf(const LoopbackRequest &request) const;
    ClassicForumViewer viewer(const QString &member) const;
    QString loginKey(const QString &member) const;
    bool knownThread(int thread) const { return thread >= 1 && thread <= m_threads.size(); }
    int storePost(int thread, const QString &subject, const QString &message, const QString &author);

    QList<Thread> m_threads;
    QHash<int, ClassicForumPost> m_posts;
    QHash<QString, Member> m_members;
    QList<ClassicForumSubmission> m_submissions;
    QStringList m_requests;
    int m_nextPost = 1;
    mutable int m_pageCount = 0;
    bool m_canonicalLinks = false;
    ForumShape m_shape = ForumShape::MyBB;
    ClassicComposer m_composer = ClassicComposer::None;
    QString m_editorPackages;
};
