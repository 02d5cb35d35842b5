// Speed and memory of the reply watcher against a loopback server of our own:
//  - measuring one large page, next to curl fetching the same page from the same server;
//  - a reply check over many watched posts, with the longest time the event loop was blocked;
//  - a reply check over posts on four slow hosts, next to urlwatch checking the same pages.
#include "core/datafolder.h"
#include "loopbackpageserver.h"
#include "watch/pagesizeprobe.h"
#include "watch/replycheckrun.h"
#include "watch/watchedpostlist.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>

#include "benchoption.h"
#include "processstatus.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t oneGiB = 1024LL * 1024 * 1024;

// Writes the watched-post files for the given addresses into the current data folder; odd posts
// are stored 1000 bytes smaller than the page, so half of them have new replies.
bool writePostFiles(const DataFolder &folder, const std::vector<std::string> &urls, std::int64_t pageBytes)
{
    QByteArray posts;
    QByteArray sizes;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        posts += QByteArray::fromStdString(urls[i]) + "\r\n\r\n";
        sizes += QByteArray::number(i % 2 ? pageBytes : pageBytes - 1000) + "\r\n\r\n";
    }
    QFile postsFile(folder.filePath(QStringLiteral("posts.txt")));
    QFile sizesFile(folder.filePath(QStringLiteral("sizes.txt")));
    return postsFile.open(QIODevice::WriteOnly) && postsFile.write(posts) == posts.size() &&
           sizesFile.open(QIODevice::WriteOnly) && sizesFile.write(sizes) == sizes.size();
}

// Starts a fresh peak so the next reading of VmHWM covers only what follows.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

enum class Client { Probe, Curl };

// Fetches one page of state.range(0) body bytes per iteration, with our probe or with curl.
void BM_LargePage(benchmark::State &state, Client client)
{
    const std::int64_t size = state.range(0);
    LoopbackPageServer server(size);
    if (!server.ok()) {
        state.SkipWithError("no loopback server");
        return;
    }
    const QString url = QString::fromStdString(server.url("/big"));
    PageSizeProbe probe;
    long worstGrowthKiB = 0;
    for (auto _ : state) {
        if (client == Client::Curl) {
            QProcess curl;
            curl.start(QStringLiteral("curl"),
                       {QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"), url});
            if (!curl.waitForFinished(120000) || curl.exitCode() != 0) {
                state.SkipWithError("curl failed or is missing");
                return;
            }
            continue;
        }
        QEventLoop loop;
        qint64 measured = -1;
        QObject::connect(&probe, &PageSizeProbe::finished, &loop, [&](qint64 n) {
            measured = n;
            loop.quit();
        });
        QObject::connect(&probe, &PageSizeProbe::failed, &loop, [&] { loop.quit(); });
        resetPeak();
        const long idle = statusKiB("VmRSS");
        probe.start(url);
        loop.exec();
        worstGrowthKiB = std::max(worstGrowthKiB, statusKiB("VmHWM") - idle);
        if (measured != size) {
            state.SkipWithError("wrong size measured");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * size);
    if (client == Client::Probe)
        state.counters["peak_over_idle_KiB"] = static_cast<double>(worstGrowthKiB);
}

void BM_ReplyCheck(benchmark::State &state)
{
    const int posts = static_cast<int>(state.range(0));
    const std::int64_t pageBytes = state.range(1);
    LoopbackPageServer server(pageBytes);
    QTemporaryDir folder;
    if (!server.ok() || !folder.isValid()) {
        state.SkipWithError("no loopback server or temporary folder");
        return;
    }
    const DataFolder data(folder.path());
    std::vector<std::string> urls;
    for (int i = 0; i < posts; ++i)
        urls.push_back(server.url("/thread?t=" + std::to_string(i)));
    if (!writePostFiles(data, urls, pageBytes)) {
        state.SkipWithError("cannot write the data files");
        return;
    }
    WatchedPostList list(data);
    list.load();
    ReplyCheckRun run(list);

    double worstStallMs = 0;
    int found = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&run, &ReplyCheckRun::finished, &loop, [&](int n) {
            found = n;
            loop.quit();
        });
        QObject::connect(&run, &ReplyCheckRun::failed, &loop, [&] { loop.quit(); });
        // A 1 ms timer: the longest gap between its ticks is the longest time nothing else ran.
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            worstStallMs = std::max(worstStallMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
            sinceTick.restart();
        });
        sinceTick.start();
        ticker.start();
        run.start();
        loop.exec();
        ticker.stop();
        if (found != posts / 2) {
            state.SkipWithError("wrong number of posts with new replies");
            return;
        }
    }
    state.counters["posts"] = posts;
    state.counters["longest_stall_ms"] = worstStallMs;
}

// The slow-hosts comparison: 200 posts spread over four loopback hosts that each answer after
// 100 ms, checked by our reply check and by urlwatch (its own 10 workers) in the same run.
constexpr int slowHosts = 4;
constexpr int slowPosts = 200;
constexpr int slowDelayMs = 100;
constexpr std::int64_t slowPageBytes = 20 * 1024;

struct SlowFigures
{
    double seconds = 0;
    int iterations = 0;
    int mostPerHost = 0;
};
SlowFigures oursFigures;
SlowFigures urlwatchFigures;

struct SlowHosts
{
    std::vector<std::unique_ptr<LoopbackPageServer>> servers;
    std::vector<std::string> urls;

    SlowHosts()
    {
        for (int h = 1; h <= slowHosts; ++h)
            servers.push_back(
                std::make_unique<LoopbackPageServer>(slowPageBytes, "127.0.0." + std::to_string(h), slowDelayMs));
        // One host after another, as a list of threads from several forums would be.
        for (int i = 0; i < slowPosts; ++i)
            urls.push_back(servers[static_cast<std::size_t>(i % slowHosts)]->url("/thread?t=" + std::to_string(i)));
    }
    bool ok() const
    {
        return std::all_of(servers.begin(), servers.end(), [](const auto &server) { return server->ok(); });
    }
    void resetCounts()
    {
        for (auto &server : servers)
            server->resetMostOpen();
    }
    std::int64_t served() const
    {
        std::int64_t pages = 0;
        for (const auto &server : servers)
            pages += server->served();
        return pages;
    }
    int mostPerHost() const
    {
        int most = 0;
        for (const auto &server : servers)
            most = std::max(most, server->mostOpen());
        return most;
    }
};

enum class Checker { Ours, Urlwatch };

void BM_SlowHosts(benchmark::State &state, Checker checker)
{
    SlowHosts hosts;
    QTemporaryDir folder;
    if (!hosts.ok() || !folder.isValid()) {
        state.SkipWithError("no loopback servers (127.0.0.1-4) or temporary folder");
        return;
    }
    SlowFigures &figures = checker == Checker::Ours ? oursFigures : urlwatchFigures;
    figures = SlowFigures();

    // urlwatch gets a throwaway home, configuration and cache, and no proxy: every request goes
    // straight to the loopback servers.
    QByteArray jobs;
    for (const std::string &url : hosts.urls)
        jobs += "url: " + QByteArray::fromStdString(url) + "\n---\n";
    QFile jobsFile(folder.filePath(QStringLiteral("urls.yaml")));
    if (!jobsFile.open(QIODevice::WriteOnly) || jobsFile.write(jobs) != jobs.size()) {
        state.SkipWithError("cannot write the urlwatch job list");
        return;
    }
    jobsFile.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("no_proxy"), QStringLiteral("*"));
    environment.insert(QStringLiteral("HOME"), folder.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), folder.filePath(QStringLiteral("cache")));

    const DataFolder data(folder.path());
    if (!writePostFiles(data, hosts.urls, slowPageBytes)) {
        state.SkipWithError("cannot write the data files");
        return;
    }
    WatchedPostList list(data);
    list.load();
    ReplyCheckRun run(list);

    for (auto _ : state) {
        hosts.resetCounts();
        QElapsedTimer clock;
        clock.start();
        if (checker == Checker::Urlwatch) {
            QFile::remove(folder.filePath(QStringLiteral("cache.db")));
            QProcess urlwatch;
            urlwatch.setProcessEnvironment(environment);
            urlwatch.setStandardOutputFile(QProcess::nullDevice());
            urlwatch.start(QStringLiteral("urlwatch"),
                           {QStringLiteral("--urls"), folder.filePath(QStringLiteral("urls.yaml")),
                            QStringLiteral("--config"), folder.filePath(QStringLiteral("urlwatch.yaml")),
                            QStringLiteral("--hooks"), folder.filePath(QStringLiteral("hooks.py")),
                            QStringLiteral("--cache"), folder.filePath(QStringLiteral("cache.db"))});
            if (!urlwatch.waitForFinished(120000) || urlwatch.exitStatus() != QProcess::NormalExit) {
                state.SkipWithError("urlwatch failed or is missing");
                return;
            }
        } else {
            QEventLoop loop;
            int found = -1;
            QObject::connect(&run, &ReplyCheckRun::finished, &loop, [&](int n) {
                found = n;
                loop.quit();
            });
            run.start();
            if (run.isRunning())
                loop.exec();
            if (found != slowPosts / 2 || !run.failures().isEmpty()) {
                state.SkipWithError("wrong number of posts with new replies");
                return;
            }
        }
        figures.seconds += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        ++figures.iterations;
        figures.mostPerHost = std::max(figures.mostPerHost, hosts.mostPerHost());
    }
    state.counters["posts"] = slowPosts;
    // Every page really fetched, by either checker.
    state.counters["pages_served"] =
        static_cast<double>(hosts.served()) / std::max<double>(1, static_cast<double>(state.iterations()));
    state.counters["most_per_host"] = figures.mostPerHost;
}

void reportSlowHosts()
{
    if (oursFigures.iterations == 0 || urlwatchFigures.iterations == 0)
        return;
    const double ours = oursFigures.seconds / oursFigures.iterations;
    const double theirs = urlwatchFigures.seconds / urlwatchFigures.iterations;
    std::printf("Slow hosts, %d posts on %d loopback hosts answering after %d ms (means):\n"
                "  reply check %.2f s, urlwatch %.2f s: urlwatch / reply check = %.2f (goal >= 1.6)\n"
                "  most connections open to one host: reply check %d (goal <= 6), urlwatch %d\n",
                slowPosts, slowHosts, slowDelayMs, ours, theirs, theirs / ours, oursFigures.mostPerHost,
                urlwatchFigures.mostPerHost);
}

} // namespace

BENCHMARK_CAPTURE(BM_SlowHosts, reply_check, Checker::Ours)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_SlowHosts, urlwatch, Checker::Urlwatch)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LargePage, probe, Client::Probe)
    ->Arg(64LL * 1024 * 1024)
    ->Arg(oneGiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_LargePage, curl, Client::Curl)
    ->Arg(oneGiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_ReplyCheck)->Args({1000, 20 * 1024})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (runBenchmarks(argc, argv) != 0)
        return 1;
    reportSlowHosts();
    return 0;
}
