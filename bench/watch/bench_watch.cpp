// Speed and memory of the reply watcher against a loopback server of our own:
//  - measuring one large page, next to curl fetching the same page from the same server;
//  - a reply check over many watched posts, with the longest time the event loop was blocked.
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
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr std::int64_t oneGiB = 1024LL * 1024 * 1024;

// Resident and peak resident set of this process, in KiB (Linux).
long statusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
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
    setDataFolder(folder.path());
    QByteArray urls;
    QByteArray sizes;
    for (int i = 0; i < posts; ++i) {
        urls += QByteArray::fromStdString(server.url("/thread?t=" + std::to_string(i))) + "\r\n\r\n";
        sizes += QByteArray::number(i % 2 ? pageBytes : pageBytes - 1000) + "\r\n\r\n";
    }
    QFile postsFile(dataFilePath(QStringLiteral("posts.txt")));
    QFile sizesFile(dataFilePath(QStringLiteral("sizes.txt")));
    if (!postsFile.open(QIODevice::WriteOnly) || postsFile.write(urls) != urls.size() ||
        !sizesFile.open(QIODevice::WriteOnly) || sizesFile.write(sizes) != sizes.size()) {
        state.SkipWithError("cannot write the data files");
        return;
    }
    postsFile.close();
    sizesFile.close();
    WatchedPostList list;
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

} // namespace

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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
