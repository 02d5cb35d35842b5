#pragma once

#include <QString>

// The address that names a thread, from the address a browser shows for one of its pages: without
// the fragment (after posting, engines add the new post's anchor, "#comment-7"), and without the
// query parameters that only open a one-time preview of a post held for moderation
// ("unapproved", "moderation-hash"). Everything else stays exactly as written.
QString threadAddress(const QString &url);
