#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

// The numbers of the posts a thread page shows. Forum and blog engines mark every post or comment
// with a numbered name: an id or anchor ("comment-123", "p123", "pid123", "post_123", "msg123",
// "div-comment-123", "js-post-123") or a data attribute ("data-post-id=\"123\"",
// "data-content=\"post-123\""). Names that share their attribute and their text before the number
// make a family; a family counts when its last word names a post (post, p, pid, comment, msg,
// message, reply, entry) and it has at least two numbers, so a lone "post-9" of a blog's article
// or "recent-posts-2" of a sidebar is no family. The numbers join those of every family that
// counts, ascending and each once.
//
// A thread of one post has no family. When no family counts, a lone numbered id or anchor that a
// link of the same page points to ("#pid7", the post's own link) is that post: the numbers are
// then just its number. Empty when the page shows neither.
struct PostNames
{
    QList<qint64> numbers;
    // For each number, the first id or anchor name that carries it in a family that counts, as
    // the page wrote it ("pid83"): what a fragment scrolls to. Numbers only a data attribute
    // carries have none.
    QHash<qint64, QByteArray> anchors;
};

PostNames readPostNames(const QByteArray &html);
// readPostNames(html).numbers.
QList<qint64> extractPostNumbers(const QByteArray &html);

// The numbers in now that were not in before (both ascending).
int newPostCount(const QList<qint64> &before, const QList<qint64> &now);
// The first of them, or -1 when there is none.
qint64 firstNewPost(const QList<qint64> &before, const QList<qint64> &now);
