// Loading a long list of watched posts, as start-up does: posts.txt, sizes.txt and
// postnumbers.txt as the program writes them, read into the list the "Your Posts" page shows.
#include "benchoption.h"
#include "core/datafolder.h"
#include "processstatus.h"
#include "watch/watchedpostlist.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

// How much the resident set of a process of its own grows while it loads the list from folder:
// this program started again, so nothing that ran before counts. In KiB, or -1.
long loadPeakKiB(const QString &folder)
{
    QProcess child;
    child.start(QStringLiteral("/proc/self/exe"), {QStringLiteral("--load-peak-of=") + folder});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toLong();
}

// The child's side: loads the list and prints the growth of its peak.
int printLoadPeak(const char *folder)
{
    const DataFolder data(QString::fromLocal8Bit(folder));
    const long before = statusKiB("VmHWM");
    WatchedPostList list(data);
    list.load();
    std::printf("%ld\n", statusKiB("VmHWM") - before);
    return list.count() > 0 ? 0 : 1;
}

bool writeFile(const DataFolder &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Addresses of about 96 characters: 100,000 posts make about 10 MB of posts.txt.
bool writeWatchedPosts(const DataFolder &folder, int count)
{
    QByteArray posts;
    QByteArray sizes;
    QByteArray numbers;
    for (int i = 1; i <= count; ++i) {
        const QByteArray url = QStringLiteral("https://forum%1.example.org/community/threads/"
                                              "a-thread-about-something-%2/page-%3?order=asc")
                                   .arg(i % 500, 3, 10, QLatin1Char('0'))
                                   .arg(i, 7, 10, QLatin1Char('0'))
                                   .arg(i % 40, 2, 10, QLatin1Char('0'))
                                   .toUtf8();
        posts += url + "\r\n\r\n";
        sizes += QByteArray::number(20000 + i % 90000) + "\r\n\r\n";
        numbers += "member|" + QByteArray::number(i) + ' ' + QByteArray::number(i + 1) + ' ' +
                   QByteArray::number(i + 7) + '|' + url + "\r\n\r\n";
    }
    return writeFile(folder, QStringLiteral("posts.txt"), posts) &&
           writeFile(folder, QStringLiteral("sizes.txt"), sizes) &&
           writeFile(folder, QStringLiteral("postnumbers.txt"), numbers);
}

void BM_LoadWatchedPosts(benchmark::State &state)
{
    QTemporaryDir folder;
    const DataFolder data(folder.path());
    const int count = int(state.range(0));
    if (!writeWatchedPosts(data, count)) {
        state.SkipWithError("could not write the files");
        return;
    }
    for (auto _ : state) {
        auto list = std::make_unique<WatchedPostList>(data);
        list->load();
        state.PauseTiming(); // its end is not the load's
        if (list->count() != count)
            state.SkipWithError("the posts did not load");
        list.reset();
        state.ResumeTiming();
    }
    state.counters["load_peak_MiB"] = double(loadPeakKiB(folder.path())) / 1024;
}

} // namespace

BENCHMARK(BM_LoadWatchedPosts)->Arg(100000)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    if (const char *folder = takeBenchOption(argc, argv, "--load-peak-of="))
        return printLoadPeak(folder);
    return runBenchmarks(argc, argv);
}
