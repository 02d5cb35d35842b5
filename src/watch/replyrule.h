#pragma once

#include "watch/pagemeasurement.h"

#include <QString>

struct WatchedPost;

// What a reply check makes of one post's new measurement, against what was stored when the post
// was watched.
struct ReplyVerdict
{
    enum Kind {
        Unchanged,  // no new replies
        NewReplies, // report the post
        Rebaseline, // no report; the measurement becomes the post's baseline
        Failed,     // the page is not the thread any more: not checked, baseline kept
    };
    Kind kind = Unchanged;
    // NewReplies: how many new posts, or -1 when the size rule decided (see detail).
    int newPosts = -1;
    // NewReplies: "2 new posts" or "grew by 1312 bytes"; Rebaseline: the note for the row (empty
    // for a post measured the first time); Failed: the reason.
    QString text;
    // Unchanged: the post was stored without post numbers and the page now shows them; they can
    // be its baseline from now on.
    bool adoptPostNumbers = false;
};

// The rule: where both the stored baseline and the page show numbered posts, new numbers are new
// replies, whatever else changed on the page (a member's toolbar, adverts, counters). Otherwise a
// page that grew by more than 500 bytes has new replies, except that a login state that differs
// from the baseline's explains any change of size: the new size becomes the baseline and the row
// says why. A page that showed posts before and now shows a log-in form instead needs a login.
ReplyVerdict judgeReplies(const WatchedPost &stored, const PageMeasurement &now);
