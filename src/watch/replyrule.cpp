#include "watch/replyrule.h"

#include "watch/postnumbers.h"
#include "watch/replycheckrun.h"
#include "watch/watchedpostlist.h"

namespace {

QString loginNote(LoginState now)
{
    return now == LoginState::Member
               ? QStringLiteral("Logged in now, logged out when watched: this size is the new baseline")
               : QStringLiteral("Logged out now, logged in when watched: this size is the new baseline");
}

} // namespace

ReplyVerdict judgeReplies(const WatchedPost &stored, const PageMeasurement &now)
{
    ReplyVerdict verdict;
    const bool storedPosts = !stored.postNumbers.isEmpty();
    const bool nowPosts = !now.postNumbers.isEmpty();
    if (!storedPosts && WatchedPostList::isUnmeasured(stored.size)) {
        // Its first measurement never arrived: this one is its baseline, not a reply.
        verdict.kind = ReplyVerdict::Rebaseline;
        return verdict;
    }
    if (storedPosts && nowPosts) {
        verdict.newPosts = newPostCount(stored.postNumbers, now.postNumbers);
        if (verdict.newPosts > 0) {
            verdict.kind = ReplyVerdict::NewReplies;
            verdict.text = verdict.newPosts == 1 ? QStringLiteral("1 new post")
                                                 : QStringLiteral("%1 new posts").arg(verdict.newPosts);
        }
        return verdict;
    }
    if (storedPosts && now.login.passwordField && now.login.state != LoginState::Member) {
        verdict.kind = ReplyVerdict::Failed;
        verdict.text = QStringLiteral("login needed");
        return verdict;
    }
    const LoginState before = stored.login;
    if (!nowPosts && before != LoginState::Unknown && now.login.state != LoginState::Unknown &&
        before != now.login.state) {
        verdict.kind = ReplyVerdict::Rebaseline;
        verdict.text = loginNote(now.login.state);
        return verdict;
    }
    const qint64 storedSize = WatchedPostList::sizeValue(stored.size);
    if (ReplyCheckRun::hasGrown(storedSize, now.size)) {
        verdict.kind = ReplyVerdict::NewReplies;
        verdict.text = QStringLiteral("grew by %1 bytes").arg(now.size - storedSize);
        return verdict;
    }
    verdict.adoptPostNumbers = !storedPosts && nowPosts;
    return verdict;
}
