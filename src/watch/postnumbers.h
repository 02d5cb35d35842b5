#pragma once

#include <QByteArray>
#include <QList>

// The numbers of the posts a thread page shows. Forum and blog engines mark every post or comment
// with a numbered name: an id or anchor ("comment-123", "p123", "post_123", "msg123",
// "div-comment-123", "js-post-123") or a data attribute ("data-post-id=\"123\"",
// "data-content=\"post-123\""). Names that share their attribute and their text before the number
// make a family; a family counts when its last word names a post (post, p, comment, msg,
// message, reply, entry) and it has at least two numbers, so a lone "post-9" of a blog's article
// or "recent-posts-2" of a sidebar is no family. The result joins the numbers of every family
// that counts, ascending and each once; it is empty when the page has none.
QList<qint64> extractPostNumbers(const QByteArray &html);

// The numbers in now that were not in before (both ascending).
int newPostCount(const QList<qint64> &before, const QList<qint64> &now);
