#include "watch/replycheckrun.h"

#include "watch/probeaddress.h"
#include "watch/replyrule.h"
#include "watch/watchedpostlist.h"

namespace {
// How far past the first post not yet reported the run looks for a post whose host has a free
// connection. It bounds the work per step when one host holds most of the list.
constexpr std::size_t lookAhead = 128;

QString hostKey(const QString &url)
{
    const ProbeAddress address = splitProbeAddress(url);
    return address.isValid() ? address.connectHost.toLower() : QString();
}
} // namespace

ReplyCheckRun::ReplyCheckRun(WatchedPostList &posts, QObject *parent)
    : QObject(parent)
    , m_posts(posts)
{
    connect(&posts, &WatchedPostList::postRemoved, this, &ReplyCheckRun::onPostRemoved);
    m_clock.start();
    m_slowTimer.setSingleShot(true);
    connect(&m_slowTimer, &QTimer::timeout, this, &ReplyCheckRun::onTooSlow);
}

ReplyCheckRun::~ReplyCheckRun() = default;

bool ReplyCheckRun::hasGrown(qint64 stored, qint64 measured)
{
    return static_cast<double>(measured) - static_cast<double>(stored) > static_cast<double>(threshold);
}

QString ReplyCheckRun::failuresText(const QList<ReplyCheckFailure> &failures)
{
    QString text = tr("These posts could not be checked for new replies:");
    for (const ReplyCheckFailure &failure : failures)
        text += QStringLiteral("\r\n%1 - %2").arg(failure.url, failure.reason);
    return text;
}

QString ReplyCheckRun::waitText(int seconds)
{
    return tr("the forum asked to wait %1 s").arg(seconds);
}

QString ReplyCheckRun::tooSlowText()
{
    return tr("too slow");
}

void ReplyCheckRun::setConnectionLimits(int perHost, int total)
{
    m_perHostLimit = std::max(1, perHost);
    m_totalLimit = std::max(1, total);
}

int ReplyCheckRun::total() const
{
    int front = m_next;
    for (const Entry &entry : m_entries) {
        if (entry.index >= 0) {
            front = entry.index;
            break;
        }
    }
    return m_done + m_posts.count() - front;
}

void ReplyCheckRun::start(Trigger trigger)
{
    ++m_generation;
    dropProbes();
    m_stoppedHosts.clear();
    const qint64 now = m_clock.elapsed();
    for (auto it = m_waitUntil.begin(); it != m_waitUntil.end();) {
        if (it.value() <= now) {
            it = m_waitUntil.erase(it);
            continue;
        }
        // The user asking is reason enough to ask the forum again; the schedule is not.
        if (trigger == Trigger::Automatic)
            m_stoppedHosts.insert(it.key(), HostStop::Wait);
        ++it;
    }
    m_next = 0;
    m_done = 0;
    m_newReplies = 0;
    m_failures.clear();
    m_running = true;
    const quint64 generation = m_generation;
    Q_EMIT cleared();
    if (generation != m_generation)
        return;
    emitProgress();
    pump();
}

void ReplyCheckRun::stop()
{
    if (!m_running)
        return;
    ++m_generation;
    dropProbes();
    m_running = false;
    Q_EMIT statusText(tr("stopped - %1 new replies found").arg(m_newReplies));
    Q_EMIT stopped(m_newReplies);
}

void ReplyCheckRun::dropProbes()
{
    for (Entry &entry : m_entries) {
        if (entry.probe)
            release(entry);
    }
    m_entries.clear();
    m_activePerHost.clear();
    m_active = 0;
    m_slowTimer.stop();
}

void ReplyCheckRun::release(Entry &entry)
{
    // Later, not now: the probe may be the one whose signal got us here.
    entry.probe->abort();
    entry.probe->disconnect(this);
    entry.probe->deleteLater();
    entry.probe = nullptr;
    --m_active;
    if (!entry.host.isEmpty() && --m_activePerHost[entry.host] <= 0)
        m_activePerHost.remove(entry.host);
}

bool ReplyCheckRun::canStart(const Entry &entry) const
{
    return m_active < m_totalLimit && (entry.host.isEmpty() || m_activePerHost.value(entry.host) < m_perHostLimit);
}

void ReplyCheckRun::pump()
{
    const quint64 generation = m_generation;
    for (;;) {
        bool skipped = false;
        // Posts already looked at that wait for their host come first, in list order.
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            Entry &entry = m_entries[i];
            if (entry.state != State::Waiting || entry.index < 0)
                continue;
            if (skipStopped(entry)) {
                skipped = true;
            } else if (canStart(entry)) {
                startEntry(entry);
                if (generation != m_generation)
                    return;
            }
        }
        // The list is counted afresh at every step: a post watched during the run is checked too.
        while (m_active < m_totalLimit && m_next < m_posts.count() && m_entries.size() < lookAhead) {
            Entry entry;
            entry.index = m_next;
            entry.url = m_posts.at(m_next).url;
            entry.host = hostKey(entry.url);
            ++m_next;
            m_entries.push_back(entry);
            if (skipStopped(m_entries.back())) {
                skipped = true;
            } else if (canStart(m_entries.back())) {
                startEntry(m_entries.back());
                if (generation != m_generation)
                    return;
            }
        }
        if (!skipped)
            break;
        // Posts not asked for are reported at once, which makes room to look further.
        report();
        if (generation != m_generation)
            return;
    }
    armSlowTimer();
    if (m_entries.empty() && m_next >= m_posts.count())
        finish();
}

bool ReplyCheckRun::skipStopped(Entry &entry)
{
    if (entry.host.isEmpty() || !m_stoppedHosts.contains(entry.host))
        return false;
    entry.state = State::Failed;
    entry.reason = stopReason(entry.host);
    return true;
}

QString ReplyCheckRun::stopReason(const QString &host) const
{
    if (m_stoppedHosts.value(host) == HostStop::TooSlow)
        return tooSlowText();
    // What is left of the wait, in whole seconds; within this run the host is left alone even
    // once the wait is over.
    const qint64 left = m_waitUntil.value(host) - m_clock.elapsed();
    return waitText(int(std::max<qint64>(1, (left + 999) / 1000)));
}

void ReplyCheckRun::armSlowTimer()
{
    qint64 earliest = -1;
    for (const Entry &entry : m_entries) {
        if (entry.state == State::Running && (earliest < 0 || entry.startedAt < earliest))
            earliest = entry.startedAt;
    }
    if (earliest < 0) {
        m_slowTimer.stop();
        return;
    }
    m_slowTimer.start(int(std::max<qint64>(0, earliest + m_tooSlowMs - m_clock.elapsed())));
}

void ReplyCheckRun::onTooSlow()
{
    if (!m_running)
        return;
    const qint64 now = m_clock.elapsed();
    for (Entry &entry : m_entries) {
        if (entry.state != State::Running || now - entry.startedAt < m_tooSlowMs)
            continue;
        entry.state = State::Failed;
        entry.reason = tooSlowText();
        release(entry);
        // Its other posts would only be as slow; a host that asked to wait stays so.
        if (!entry.host.isEmpty() && !m_stoppedHosts.contains(entry.host))
            m_stoppedHosts.insert(entry.host, HostStop::TooSlow);
    }
    const quint64 generation = m_generation;
    report();
    if (generation == m_generation)
        pump();
}

void ReplyCheckRun::startEntry(Entry &entry)
{
    auto *probe = new PageSizeProbe(this);
    probe->setSettings(m_settings);
    entry.probe = probe;
    entry.state = State::Running;
    entry.startedAt = m_clock.elapsed();
    ++m_active;
    if (!entry.host.isEmpty())
        ++m_activePerHost[entry.host];
    connect(probe, &PageSizeProbe::finished, this, [this, probe] { onProbeDone(probe, true); });
    connect(probe, &PageSizeProbe::failed, this, [this, probe] { onProbeDone(probe, false); });
    connect(probe, &PageSizeProbe::activityText, this, [this, probe](const QString &text) {
        if (isFrontProbe(probe))
            Q_EMIT activityText(text);
    });
    connect(probe, &PageSizeProbe::progressText, this, [this, probe](const QString &text) {
        if (isFrontProbe(probe))
            Q_EMIT progressText(text);
    });
    // A failure, even of an address that cannot be fetched, arrives from the event loop.
    probe->start(entry.url);
    Q_EMIT statusText(tr("checking post %1").arg(entry.index + 1));
}

ReplyCheckRun::Entry *ReplyCheckRun::entryOf(const PageSizeProbe *probe)
{
    for (Entry &entry : m_entries) {
        if (entry.probe == probe)
            return &entry;
    }
    return nullptr;
}

bool ReplyCheckRun::isFrontProbe(const PageSizeProbe *probe) const
{
    for (const Entry &entry : m_entries) {
        if (entry.probe)
            return entry.probe == probe;
    }
    return false;
}

void ReplyCheckRun::onProbeDone(PageSizeProbe *probe, bool ok)
{
    Entry *entry = entryOf(probe);
    if (!entry || !m_running)
        return;
    entry->state = ok ? State::Measured : State::Failed;
    entry->page = probe->measurement();
    entry->reason = probe->failureReason();
    if (!ok && probe->retryAfterSeconds() >= 0 && !entry->host.isEmpty()) {
        // The forum asked us to slow down: its other posts wait, in this run and, for the
        // automatic check, until the time it asked for.
        m_waitUntil.insert(entry->host, m_clock.elapsed() + qint64(probe->retryAfterSeconds()) * 1000);
        m_stoppedHosts.insert(entry->host, HostStop::Wait);
    } else if (ok) {
        m_waitUntil.remove(entry->host); // it answers again
    }
    release(*entry);
    const quint64 generation = m_generation;
    report();
    if (generation == m_generation)
        pump();
}

void ReplyCheckRun::report()
{
    const quint64 generation = m_generation;
    while (!m_entries.empty()) {
        const Entry entry = m_entries.front();
        if (entry.index >= 0 && (entry.state == State::Waiting || entry.state == State::Running))
            return;
        m_entries.pop_front();
        if (entry.index < 0)
            continue; // removed during the run: it is no longer watched
        ++m_done;
        const ReplyVerdict verdict = entry.state == State::Failed
                                         ? ReplyVerdict{ReplyVerdict::Failed, -1, entry.reason, false}
                                         : judgeReplies(m_posts.at(entry.index), entry.page);
        switch (verdict.kind) {
        case ReplyVerdict::Failed:
            m_failures.append({entry.url, verdict.text});
            Q_EMIT postFailed(entry.url, verdict.text);
            break;
        case ReplyVerdict::Rebaseline:
            m_posts.recordMeasurement(entry.url, entry.page);
            if (!verdict.text.isEmpty())
                Q_EMIT postNoted(entry.url, verdict.text);
            break;
        case ReplyVerdict::NewReplies:
            ++m_newReplies;
            Q_EMIT newReply(entry.url);
            if (generation == m_generation)
                Q_EMIT newReplyDetail(entry.url, verdict.text);
            if (generation == m_generation && !verdict.openAddress.isEmpty())
                Q_EMIT newReplyOpensAt(entry.url, verdict.openAddress);
            break;
        case ReplyVerdict::Unchanged:
            if (verdict.adoptPostNumbers)
                m_posts.adoptPostNumbers(entry.url, entry.page.postNumbers);
            if (verdict.adoptLaterPage)
                m_posts.adoptLaterPage(entry.url, entry.page);
            break;
        }
        if (generation != m_generation)
            return;
        emitProgress();
        if (generation != m_generation)
            return;
    }
}

void ReplyCheckRun::finish()
{
    m_running = false;
    Q_EMIT statusText(tr("finished - %1 new replies found").arg(m_newReplies));
    Q_EMIT finished(m_newReplies);
    if (!m_failures.isEmpty() && !m_running)
        Q_EMIT failed(failuresText(m_failures));
}

void ReplyCheckRun::onPostRemoved(int index)
{
    if (!m_running)
        return;
    for (Entry &entry : m_entries) {
        if (entry.index == index) {
            if (entry.probe)
                release(entry);
            entry.index = -1;
        } else if (entry.index > index) {
            --entry.index;
        }
    }
    if (index < m_next)
        --m_next;
    const quint64 generation = m_generation;
    report();
    if (generation == m_generation)
        pump();
}

void ReplyCheckRun::emitProgress()
{
    Q_EMIT progress(m_done, total());
}
