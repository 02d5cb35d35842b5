// Reading a measured thread page: the readers a reply check ran before (post numbers, login
// signs) next to all it runs now (with each post's anchor and the links to later pages), on a
// page of a classic board's shape repeated to the size given: 32 KiB is a page of 20 posts,
// 4 MiB the most a probe keeps of a page.
#include "watch/loginstate.h"
#include "watch/pagemeasurement.h"
#include "watch/postnumbers.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray threadPage(qint64 bytes)
{
    QByteArray page = "<html><head><link rel=\"canonical\" href=\"showthread.php?tid=1\" /></head><body>"
                      "<div class=\"pagination\"><a href=\"showthread.php?tid=1&amp;page=2\">2</a>"
                      "<a href=\"showthread.php?tid=1&amp;page=3\" class=\"pagination_next\">Next</a></div>";
    for (int post = 1; page.size() < bytes; ++post) {
        const QByteArray n = QByteArray::number(post);
        page += "<a name=\"pid" + n + "\" id=\"pid" + n + "\"></a><div class=\"post\" id=\"post_" + n +
                "\"><div class=\"post_author\"><a href=\"member.php?action=profile&amp;uid=" + n +
                "\">bob</a></div><div class=\"post_head\"><a href=\"showthread.php?tid=1&amp;pid=" + n + "#pid" + n +
                "\">#" + n + "</a></div><div class=\"post_body\" id=\"pid_" + n + "\">" + QByteArray(900, 'w') +
                "</div><div class=\"post_controls\"><a href=\"newreply.php?tid=1&amp;replyto=" + n +
                "\">Reply</a><a href=\"report.php?type=post&amp;pid=" + n + "\">Report</a></div></div>\n";
    }
    return page + "</body></html>";
}

void BM_ReadBefore(benchmark::State &state)
{
    const QByteArray page = threadPage(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(extractPostNumbers(page));
        benchmark::DoNotOptimize(readLoginSigns(page));
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

void BM_ReadNow(benchmark::State &state)
{
    const QByteArray page = threadPage(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(readMeasuredPage(page.size(), page, false, false));
    state.SetBytesProcessed(state.iterations() * page.size());
}

} // namespace

BENCHMARK(BM_ReadBefore)->Arg(32 * 1024)->Arg(4 * 1024 * 1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadNow)->Arg(32 * 1024)->Arg(4 * 1024 * 1024)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
