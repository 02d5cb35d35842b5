#pragma once

#include "watch/loginstate.h"
#include "watch/pagelinks.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// What one probe found on a page: its body size, the numbers of the posts it shows, whether a
// member or a guest saw it, and its links to other pages of the thread.
struct PageMeasurement
{
    qint64 size = 0;
    QList<qint64> postNumbers; // ascending; empty when the page shows no numbered posts
    LoginSigns login;
    QHash<qint64, QByteArray> anchors{}; // the id or anchor name of each post that has one
    QList<PageLink> pageLinks{};         // the links that may lead to its later pages
    bool read = false;                   // false when the page was not read (kept in part only)
};

// Reads a measured page. body is what was kept of it, as it arrived (chunked: with its framing);
// a page kept only in part is not read, as its later posts are unknown.
PageMeasurement readMeasuredPage(qint64 size, const QByteArray &body, bool chunked, bool cut);
