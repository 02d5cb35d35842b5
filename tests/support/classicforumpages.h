#pragma once

#include "classicforumtypes.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Who a page is built for.
struct ClassicForumViewer
{
    QString member; // empty for a guest
    int uid = 0;
    QString postKey; // the key a member's forms carry and posting checks
    QString logoutKey;
    QString postHash; // differs on every page, as the board's one-time form hashes do
};

// One page of a thread as the board shows it.
struct ClassicThreadPage
{
    ForumShape shape = ForumShape::MyBB;
    int thread = 0;
    QString subject;
    int page = 1;
    int pages = 1;
    QList<ClassicForumPost> posts; // this page's
    int firstPosition = 1;         // the place of its first post in the thread, from 1
    QString origin;                // "http://127.0.0.1:port", for the links in the head
    bool canonicalLink = false;
    ClassicComposer composer = ClassicComposer::None; // offered to members below the quick reply
};

// The pages of a classic bulletin board, with the weight of a real one: a header with its style
// sheet, settings script and menus, a user panel for members (or a log-in link and a hidden
// quick log-in form for guests), the navigation, a forum jump, statistics and a footer.
class ClassicForumPages
{
public:
    static QByteArray threadPage(const ClassicForumViewer &viewer, const ClassicThreadPage &thread);
    // The posts as the thread page holds them; also what a quick reply is answered with.
    static QByteArray postBits(const ClassicForumViewer &viewer, ForumShape shape, const QString &subject,
                               const QList<ClassicForumPost> &posts, int firstPosition);
    static QByteArray loginPage(const ClassicForumViewer &viewer, const QString &returnTo, bool failed);
    // What a guest gets for a page of members only: no posts, a log-in form.
    static QByteArray noPermissionPage(const ClassicForumViewer &viewer, const QString &returnTo);
    // The full reply form with the rich editor, and the thread's newest posts below it.
    static QByteArray newReplyPage(const ClassicForumViewer &viewer, int thread, const QString &subject,
                                   const QList<ClassicForumPost> &review, const QString &message,
                                   const QString &notice);
    static QByteArray indexPage(const ClassicForumViewer &viewer, const QList<QPair<int, QString>> &threads);
    static QByteArray messagePage(const ClassicForumViewer &viewer, const QString &title, const QString &text);
};
