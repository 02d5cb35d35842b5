#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A link of a page that may lead to another page of the same thread, as the page wrote it (its
// references decoded). Reading the page needs no address; which links are later pages of the
// thread is told against the page's address (laterPages).
struct PageLink
{
    QString href;
    bool next = false; // rel="next"

    bool operator==(const PageLink &other) const { return href == other.href && next == other.next; }
};

// The links of a page (a, link and area tags) that name a next page (rel="next"), or whose
// address has a page, start or offset parameter, a thread key written with its first post
// ("topic=12.40"), or a last part such as "page-2", "comment-page-3" or "-2.html". Each once,
// in page order, at most maxPageLinks of them.
QList<PageLink> readPageLinks(const QByteArray &html);
constexpr int maxPageLinks = 1000;

// The later pages of a thread that a page at pageUrl links to: links on the same host to the
// same address with a higher page, start or offset value, a later first post, or a higher page
// at the end of the path (only after the thread's own number: "t-12-3.html" is page 3 of
// "t-12.html", "thread-41.html" is another thread); and its rel="next" link, which counts as the
// next page whatever its address says.
struct LaterPages
{
    // The highest place of a later page linked to, in the units of its address (page 3, start
    // 40); 0 when none is. A next page whose address tells no place counts as 1.
    qint64 highest = 0;
    QString lastAddress; // the link to that page, absolute; empty when there is none
};
LaterPages laterPages(const QString &pageUrl, const QList<PageLink> &links);
