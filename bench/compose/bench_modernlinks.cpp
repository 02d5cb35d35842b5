// The modern link rules over real text: 1 MiB and 4 MiB of it, to show the cost per character
// stays the same. bench/links/compare-with-linkify.sh runs this with --text=FILE (the text it
// also gives the reference autolinker); without it the text is read from /usr/share/doc.
#include "benchoption.h"
#include "compose/linkencoder.h"

#include <benchmark/benchmark.h>

#include <QDirIterator>
#include <QFile>
#include <QStringList>

namespace {

QString g_textFile;

// The uncompressed files under /usr/share/doc in name order, joined by line breaks.
QString docText(qsizetype size)
{
    QStringList files;
    QDirIterator it(QStringLiteral("/usr/share/doc"), QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!file.endsWith(QLatin1String(".gz")))
            files.append(file);
    }
    files.sort();
    QString text;
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        if (bytes.contains('\0'))
            continue;
        text += QString::fromUtf8(bytes) + u'\n';
        if (text.size() >= size)
            break;
    }
    return text;
}

// size characters of real text: the given file's (repeated when it is shorter) or the docs'.
QString realText(qsizetype size)
{
    QString text;
    if (!g_textFile.isEmpty()) {
        QFile file(g_textFile);
        if (file.open(QIODevice::ReadOnly))
            text = QString::fromUtf8(file.readAll());
    } else {
        text = docText(size);
    }
    if (text.isEmpty())
        return text;
    while (text.size() < size)
        text += text;
    return text.left(size);
}

void BM_modernLinks(benchmark::State &state)
{
    const QString text = realText(state.range(0));
    if (text.isEmpty()) {
        state.SkipWithError("no real text found");
        return;
    }
    for (auto _ : state) {
        QString out = encodeLinks(text, QStringLiteral("<a href='"), QStringLiteral("'>"), QStringLiteral("</a>"),
                                  QStringLiteral("mailto:"), LinkRules::Modern);
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(state.iterations() * text.size() * qsizetype(sizeof(QChar)));
}

} // namespace

BENCHMARK(BM_modernLinks)->ArgName("chars")->Arg(1024 * 1024)->Arg(4 * 1024 * 1024)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (const char *file = takeBenchOption(argc, argv, "--text="))
        g_textFile = QString::fromLocal8Bit(file);
    return runBenchmarks(argc, argv);
}
