#pragma once

#include "watch/loginstate.h"

#include <QByteArray>
#include <QList>

// What one probe found on a page: its body size, the numbers of the posts it shows and whether a
// member or a guest saw it.
struct PageMeasurement
{
    qint64 size = 0;
    QList<qint64> postNumbers; // ascending; empty when the page shows no family of numbered posts
    LoginSigns login;
};

// Reads a measured page. body is what was kept of it, as it arrived (chunked: with its framing);
// a page kept only in part is not read, as its later posts are unknown.
PageMeasurement readMeasuredPage(qint64 size, const QByteArray &body, bool chunked, bool cut);
