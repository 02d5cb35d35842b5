// The text reader every data file goes through: line ends, encodings, NULs. Lines hold no line
// break, a file read a block at a time gives the lines the whole bytes give, and the line rules
// take any line.
#include "core/linerules.h"
#include "core/textfile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    useFuzzDataFolder();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = splitTextLines(bytes);
    FUZZ_CHECK(isText(bytes) || lines.isEmpty());
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        FUZZ_CHECK(!line.contains(QChar(0)));
        for (const LineRule rule :
             {looksLikeAddress, looksLikeNumber, looksLikeForumLogin, looksLikeBaseline, looksLikeSavedMessage})
            rule(line);
    }
    writeDataFile(QStringLiteral("lines.txt"), bytes);
    const TextFileRead read = readTextFile(fuzzDataFile(QStringLiteral("lines.txt")));
    FUZZ_CHECK((read.status == TextFileRead::Read) == isText(bytes));
    FUZZ_CHECK(read.lines == lines);
    return 0;
}
