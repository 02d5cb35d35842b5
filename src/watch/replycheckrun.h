#pragma once

#include "watch/pagesizeprobe.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <deque>

class WatchedPostList;

// A post a reply check could not measure, and why (one line).
struct ReplyCheckFailure
{
    QString url;
    QString reason;

    bool operator==(const ReplyCheckFailure &other) const { return url == other.url && reason == other.reason; }
};

// One pass of "Check for new replies": measures the watched posts, several at once, and reports
// each one with new replies since it was watched (see judgeReplies). At most perHostLimit
// connections go to one host and totalLimit in all, as a browser keeps them; results are still
// reported in list order. Posts are followed through removals made during the run, so a post is
// only ever compared with its own stored size; a post watched during the run is checked too.
// A post that cannot be measured is reported as failed and the run goes on; the run ends with
// the finished text and, when any failed, one text listing them.
//
// A forum that asks us to slow down (429 or 503 with Retry-After) gets no further request in the
// run: its other posts fail with "the forum asked to wait N s", and an automatic run does not ask
// it again before then. A post still being measured tooSlowLimit() after its request began fails
// as "too slow", and its forum gets no further request in the run either, so one slow server
// cannot hold the whole check.
class ReplyCheckRun : public QObject
{
    Q_OBJECT
public:
    explicit ReplyCheckRun(WatchedPostList &posts, QObject *parent = nullptr);
    ~ReplyCheckRun() override;

    // Who started a run: the user, or the automatic check, which leaves alone the forums that
    // asked to wait.
    enum class Trigger { User, Automatic };
    // Starts from the first post; a run in progress is abandoned.
    void start(Trigger trigger = Trigger::User);
    // Ends the run in progress: nothing more is measured or reported but the stop itself.
    void stop();
    bool isRunning() const { return m_running; }
    int newReplies() const { return m_newReplies; }
    // Posts reported so far, and the number this run will have reported when it ends (it
    // changes when posts are watched or removed during the run).
    int done() const { return m_done; }
    int total() const;
    QList<ReplyCheckFailure> failures() const { return m_failures; }

    // Settings for every probe the run starts (time limits, TLS, cookies).
    ProbeSettings &probeSettings() { return m_settings; }
    void setConnectionLimits(int perHost, int total);
    static constexpr int defaultPerHostLimit = 6;
    static constexpr int defaultTotalLimit = 16;
    // How long one post may take before it is "too slow".
    void setTooSlowLimit(int ms) { m_tooSlowMs = std::max(1, ms); }
    int tooSlowLimit() const { return m_tooSlowMs; }
    static constexpr int defaultTooSlowMs = 2 * 60 * 1000;

    // Why a post was not asked for: its forum asked to wait this many more seconds, or was too slow.
    static QString waitText(int seconds);
    static QString tooSlowText();

    // A page that grew by more than this many bytes has new replies.
    static constexpr qint64 threshold = 500;
    static bool hasGrown(qint64 stored, qint64 measured);
    // The text of the one "Error" box that lists the posts a run could not measure.
    static QString failuresText(const QList<ReplyCheckFailure> &failures);

Q_SIGNALS:
    // The run's progress and result (status panel 1): "checking post N" as post N starts,
    // "finished - N new replies found" at the end, "stopped - ..." after stop().
    void statusText(const QString &text);
    // What the probe of the first post not yet reported is doing (panels 2 and 3).
    void activityText(const QString &text);
    void progressText(const QString &text);
    // A new run began: the list of posts with new replies starts empty.
    void cleared();
    void progress(int done, int total);
    // Per post, in list order: grew, or could not be measured.
    void newReply(const QString &url);
    // Sent right after newReply: how many new posts, or how much the page grew ("2 new posts").
    void newReplyDetail(const QString &url, const QString &detail);
    // Sent after newReplyDetail when the new replies can be shown at a place of their own: the
    // first new post's anchor, or the thread's last page.
    void newReplyOpensAt(const QString &url, const QString &address);
    void postFailed(const QString &url, const QString &reason);
    // The post's measurement became its baseline instead of being reported; note says why.
    void postNoted(const QString &url, const QString &note);
    void finished(int newReplies);
    void stopped(int newReplies);
    // Sent after finished() when some posts could not be measured: the text for the one
    // "Error" box (see failuresText).
    void failed(const QString &boxText);

private:
    enum class State { Waiting, Running, Measured, Failed };
    struct Entry
    {
        int index = 0; // position in the list now; -1 once the post was removed
        QString url;
        QString host;
        State state = State::Waiting;
        PageSizeProbe *probe = nullptr;
        qint64 startedAt = 0; // on m_clock, when its probe started
        PageMeasurement page;
        QString reason;
    };
    // Why a host gets no further request in this run.
    enum class HostStop { Wait, TooSlow };

    void pump();
    bool skipStopped(Entry &entry);
    QString stopReason(const QString &host) const;
    void armSlowTimer();
    void onTooSlow();
    void startEntry(Entry &entry);
    void onProbeDone(PageSizeProbe *probe, bool ok);
    void report();
    void finish();
    void onPostRemoved(int index);
    void dropProbes();
    Entry *entryOf(const PageSizeProbe *probe);
    bool isFrontProbe(const PageSizeProbe *probe) const;
    bool canStart(const Entry &entry) const;
    void release(Entry &entry);
    void emitProgress();

    WatchedPostList &m_posts;
    ProbeSettings m_settings;
    int m_perHostLimit = defaultPerHostLimit;
    int m_totalLimit = defaultTotalLimit;
    int m_tooSlowMs = defaultTooSlowMs;
    QElapsedTimer m_clock;
    QTimer m_slowTimer;
    // Hosts that asked to wait, and until when on m_clock; kept from run to run.
    QHash<QString, qint64> m_waitUntil;
    // Hosts that get no further request in this run.
    QHash<QString, HostStop> m_stoppedHosts;
    // Posts from the first not yet reported on, in list order; after the last entry come the
    // posts not looked at yet, from position m_next.
    std::deque<Entry> m_entries;
    int m_next = 0;
    int m_active = 0; // probes under way
    QHash<QString, int> m_activePerHost;
    int m_done = 0;
    int m_newReplies = 0;
    QList<ReplyCheckFailure> m_failures;
    bool m_running = false;
    // Changes with every start and stop, so a loop that sent a signal notices when a receiver
    // started or stopped the run in between.
    quint64 m_generation = 0;
};
