#include "watch/replycheckrun.h"

#include "watch/watchedpostlist.h"

ReplyCheckRun::ReplyCheckRun(WatchedPostList &posts, QObject *parent)
    : QObject(parent)
    , m_posts(posts)
{
    connect(&m_probe, &PageSizeProbe::finished, this, &ReplyCheckRun::onMeasured);
    connect(&m_probe, &PageSizeProbe::failed, this, &ReplyCheckRun::onFailed);
    connect(&posts, &WatchedPostList::postRemoved, this, &ReplyCheckRun::onPostRemoved);
}

bool ReplyCheckRun::hasGrown(qint64 stored, qint64 measured)
{
    return static_cast<double>(measured) - static_cast<double>(stored) > static_cast<double>(threshold);
}

void ReplyCheckRun::start()
{
    m_probe.abort();
    Q_EMIT cleared();
    m_current = 0;
    m_newReplies = 0;
    m_currentRemoved = false;
    m_running = true;
    advance();
}

void ReplyCheckRun::advance()
{
    Q_EMIT statusText(QStringLiteral("checking post %1").arg(m_current + 1));
    // The list is counted afresh at every step: a post watched during the run is checked too.
    if (m_current > m_posts.count() - 1) {
        m_running = false;
        Q_EMIT statusText(QStringLiteral("finished - %1 new replies found").arg(m_newReplies));
        Q_EMIT finished(m_newReplies);
        return;
    }
    m_currentRemoved = false;
    m_probe.start(m_posts.at(m_current).url);
}

void ReplyCheckRun::onMeasured(qint64 measured)
{
    if (!m_running)
        return;
    if (m_currentRemoved) {
        // The post went away while it was measured; the one now at its place is next.
        m_currentRemoved = false;
    } else {
        const WatchedPost &post = m_posts.at(m_current);
        if (hasGrown(WatchedPostList::sizeValue(post.size), measured)) {
            ++m_newReplies;
            Q_EMIT newReply(post.url);
        }
        ++m_current;
    }
    advance();
}

void ReplyCheckRun::onFailed(const QString &boxText)
{
    // The run stops at the failed post; its number stays in the status text.
    m_running = false;
    Q_EMIT failed(boxText);
}

void ReplyCheckRun::onPostRemoved(int index)
{
    if (!m_running)
        return;
    if (index < m_current)
        --m_current;
    else if (index == m_current)
        m_currentRemoved = true;
}
