#pragma once

#include <QByteArray>
#include <QString>

// The address that names a thread, from the address a browser shows for one of its pages: without
// the fragment (after posting, engines add the new post's anchor, "#comment-7"), without the
// query parameters that only open a one-time preview of a post held for moderation
// ("unapproved", "moderation-hash"), and without a pointer to one of its posts where the thread
// itself is named beside it: "showthread.php?tid=1&pid=82" and "viewtopic.php?t=5&p=9" lose
// their post key (pid, p, msg), "index.php?topic=12.msg34" its ".msg34". Everything else stays
// exactly as written.
QString threadAddress(const QString &url);

// What every page of one thread has in common: its thread address without the page's place (a
// numeric page, start or offset parameter, the first post after a thread key's dot as in
// "topic=12.40", a last part such as "page-2") and without a closing "/". Two addresses with the
// same key are the same thread, so it keeps one row.
QString threadKey(const QString &url);

// The thread's address as the page at pageUrl says it: its canonical link (<link
// rel="canonical">) when the page has one on its own host that names more than the site's front
// page, else the thread address of pageUrl. markup is the page's head, or the whole page.
QString pageThreadAddress(const QString &pageUrl, const QByteArray &markup);
// Just the canonical link, absolute and without its fragment; empty when the page has none that
// counts (see above).
QString canonicalLink(const QString &pageUrl, const QByteArray &markup);
