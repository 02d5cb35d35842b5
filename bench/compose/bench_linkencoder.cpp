#include "benchoption.h"
#include "compose/linkencoder.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

enum Kind { NoAddress, AddressEvery100, AtEvery10 };

// Fills size characters with a repeating block; the blocks are built so that each kind holds
// the addresses its name promises.
QString makeText(qsizetype size, Kind kind)
{
    QString block;
    switch (kind) {
    case NoAddress:
        block = QStringLiteral("Plain words of a forum post, with commas, full stops. And line breaks!\r\n");
        break;
    case AddressEvery100:
        // Two lines of 100 characters each: one with a web address, one with an e-mail address.
        block =
            QStringLiteral("see http://forum.example.org/thread?id=1 for it, then more words").leftJustified(98, u'.') +
            QStringLiteral("\r\n") +
            QStringLiteral("or write to someone.else@mail.example.org, for more words").leftJustified(98, u'.') +
            QStringLiteral("\r\n");
        break;
    case AtEvery10: block = QStringLiteral("ab@cd.ef, "); break;
    }
    QString text;
    text.reserve(size);
    while (text.size() + block.size() <= size)
        text += block;
    text += block.left(size - text.size());
    return text;
}

// Exactly count addresses spread evenly over size characters.
QString makeTextWithAddresses(qsizetype size, qsizetype count)
{
    const QString address = QStringLiteral(" http://h.example/p ");
    const qsizetype gap = size / count - address.size();
    QString text;
    text.reserve(size);
    for (qsizetype i = 0; i < count; ++i) {
        text += QString(gap, u'x');
        text += address;
    }
    text += QString(size - text.size(), u'x');
    return text;
}

void convert(benchmark::State &state, const QString &text)
{
    for (auto _ : state) {
        QString out = encodeLinks(text, QStringLiteral("<a href='"), QStringLiteral("'>"), QStringLiteral("</a>"),
                                  QStringLiteral("mailto:"));
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(state.iterations() * text.size() * qsizetype(sizeof(QChar)));
}

void BM_encodeLinks(benchmark::State &state)
{
    convert(state, makeText(state.range(0), Kind(state.range(1))));
}

void BM_encodeLinks_1MiB_10000_addresses(benchmark::State &state)
{
    convert(state, makeTextWithAddresses(1024 * 1024, 10000));
}

} // namespace

BENCHMARK(BM_encodeLinks)
    ->ArgNames({"chars", "kind"})
    ->ArgsProduct({{64 * 1024, 1024 * 1024, 16 * 1024 * 1024}, {NoAddress, AddressEvery100, AtEvery10}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_encodeLinks_1MiB_10000_addresses)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // glibc recycles freed blocks below a threshold that it raises as it goes, up to 32 MB, and
    // hands larger ones back to the kernel, which zeroes them afresh on every call. Left alone,
    // the 1 MiB runs would reuse warm memory while the 16 MiB runs pay for fresh pages, and the
    // sizes would not compare. A fixed threshold gives every size fresh pages, as a single
    // conversion in the program gets them. Pass --default-allocator to measure without it.
    if (!takeBenchOption(argc, argv, "--default-allocator"))
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    return runBenchmarks(argc, argv);
}
