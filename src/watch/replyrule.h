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
    ReplyVerdict() = default;
    ReplyVerdict(Kind kind, int newPosts, const QString &text, bool adoptPostNumbers)
        : kind(kind)
        , newPosts(newPosts)
        , text(text)
        , adoptPostNumbers(adoptPostNumbers)
    {
    }

    Kind kind = Unchanged;
    // NewReplies: how many new posts, or -1 when the size rule decided (see detail).
    int newPosts = -1;
    // NewReplies: "2 new posts", "a new page" or "grew by 1312 bytes"; Rebaseline: the note for
    // the row (empty for a post measured the first time); Failed: the reason.
    QString text;
    // Unchanged: the post was stored without post numbers and the page now shows them; they can
    // be its baseline from now on.
    bool adoptPostNumbers = false;
    // NewReplies: where opening the post shows them: the first new post at its anchor
    // ("address#pid83"), or the thread's last page. Empty: the post's own address.
    QString openAddress;
    // Unchanged: the post was stored without knowing its later pages; the page's can be its
    // baseline from now on.
    bool adoptLaterPage = false;
};

// The rule: where both the stored baseline and the page show numbered posts, new numbers are new
// replies, whatever else changed on the page (a member's toolbar, adverts, counters). A page that
// now links to a later page of its thread than it did has new replies on it, unless the login
// changed (members and guests may see a different number of posts a page). Otherwise a page that
// grew by more than 500 bytes has new replies, except that a login state that differs from the
// baseline's explains any change of size: the new size becomes the baseline and the row says why.
// A page that showed posts before and now shows a log-in form and none of them needs a login; a
// thread of one post counts as showing posts when the page points at it (see readPostNames), but
// one such post on both sides is judged by size, as a page without numbered posts is.
ReplyVerdict judgeReplies(const WatchedPost &stored, const PageMeasurement &now);
