#include "watch/replyrule.h"

#include "watch/pagelinks.h"
#include "watch/postnumbers.h"
#include "watch/replycheckrun.h"
#include "watch/watchedpostlist.h"

#include <QCoreApplication>

namespace {

QString loginNote(LoginState now)
{
    return now == LoginState::Member
               ? QCoreApplication::translate("Watch",
                                             "Logged in now, logged out when watched: this size is the new baseline")
               : QCoreApplication::translate("Watch",
                                             "Logged out now, logged in when watched: this size is the new baseline");
}

// The post's address, opened at one of its posts.
QString atAnchor(const QString &url, const QByteArray &anchor)
{
    return anchor.isEmpty() ? QString()
                            : url.section(QLatin1Char('#'), 0, 0) + QLatin1Char('#') + QString::fromUtf8(anchor);
}

} // namespace

ReplyVerdict judgeReplies(const WatchedPost &stored, const PageMeasurement &now)
{
    ReplyVerdict verdict;
    const bool storedPosts = !stored.postNumbers.isEmpty();
    const bool nowPosts = !now.postNumbers.isEmpty();
    // Numbers decide unless each side shows just one post: a lone post is a sign that the page
    // shows the thread, not a family whose growth tells new replies.
    const bool byNumbers = storedPosts && nowPosts && (stored.postNumbers.size() > 1 || now.postNumbers.size() > 1);
    if (!storedPosts && WatchedPostList::isUnmeasured(stored.size)) {
        // Its first measurement never arrived: this one is its baseline, not a reply.
        verdict.kind = ReplyVerdict::Rebaseline;
        return verdict;
    }
    if (byNumbers) {
        verdict.newPosts = newPostCount(stored.postNumbers, now.postNumbers);
        if (verdict.newPosts > 0) {
            verdict.kind = ReplyVerdict::NewReplies;
            verdict.text = verdict.newPosts == 1
                               ? QCoreApplication::translate("Watch", "1 new post")
                               : QCoreApplication::translate("Watch", "%1 new posts").arg(verdict.newPosts);
            verdict.openAddress =
                atAnchor(stored.url, now.anchors.value(firstNewPost(stored.postNumbers, now.postNumbers)));
            return verdict;
        }
    }
    const LoginState before = stored.login;
    const bool loginChanged =
        before != LoginState::Unknown && now.login.state != LoginState::Unknown && before != now.login.state;
    if (!byNumbers && storedPosts && !nowPosts && now.login.passwordField && now.login.state != LoginState::Member) {
        verdict.kind = ReplyVerdict::Failed;
        verdict.text = QCoreApplication::translate("Watch", "login needed");
        return verdict;
    }
    if (now.read && !loginChanged) {
        const LaterPages later = laterPages(stored.url, now.pageLinks);
        if (stored.laterPage >= 0 && later.highest > stored.laterPage) {
            verdict.kind = ReplyVerdict::NewReplies;
            verdict.text = QCoreApplication::translate("Watch", "a new page");
            verdict.openAddress = later.lastAddress;
            return verdict;
        }
        verdict.adoptLaterPage = stored.laterPage < 0;
    }
    if (byNumbers)
        return verdict;
    if (now.postNumbers.size() < 2 && loginChanged) {
        verdict.kind = ReplyVerdict::Rebaseline;
        verdict.adoptLaterPage = false;
        verdict.text = loginNote(now.login.state);
        return verdict;
    }
    const qint64 storedSize = WatchedPostList::sizeValue(stored.size);
    if (ReplyCheckRun::hasGrown(storedSize, now.size)) {
        verdict.kind = ReplyVerdict::NewReplies;
        verdict.adoptLaterPage = false;
        verdict.text = QCoreApplication::translate("Watch", "grew by %1 bytes").arg(now.size - storedSize);
        return verdict;
    }
    verdict.adoptPostNumbers = !storedPosts && nowPosts;
    return verdict;
}
