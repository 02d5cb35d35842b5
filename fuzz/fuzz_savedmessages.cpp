// The reader of messages.txt: every line splits into message and subject, a message saved from
// what was read reads back the same, and a file it refuses stays as it was.
#include "compose/savedmessage.h"
#include "compose/savedmessagefile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = useFuzzDataFolder().filePath(QString::fromLatin1(savedMessagesFileName));
    writeDataFile(QStringLiteral("messages.txt"), QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const SavedMessageLines read = readSavedMessages(path);
    if (read.status != SavedMessageLines::Read) {
        // A file it cannot take for the saved messages is never rewritten.
        const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
        FUZZ_CHECK(read.lines.isEmpty() &&
                   !appendSavedMessage(path, QStringLiteral("m"), QStringLiteral("s")).isEmpty());
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::ReadOnly) && file.readAll() == bytes);
        return 0;
    }
    for (const QString &line : read.lines) {
        const SavedMessage saved = parseSavedMessageLine(line);
        if (!savedSubjectProblem(saved.subject).isEmpty())
            continue;
        const SavedMessage again = parseSavedMessageLine(savedMessageLine(saved.message, saved.subject));
        FUZZ_CHECK(again.message == saved.message && again.subject == saved.subject);
    }
    if (!read.lines.isEmpty()) {
        const SavedMessage last = parseSavedMessageLine(read.lines.last());
        if (savedSubjectProblem(last.subject).isEmpty() &&
            appendSavedMessage(path, last.message, last.subject).isEmpty()) {
            const SavedMessage again = parseSavedMessageLine(readSavedMessages(path).lines.last());
            FUZZ_CHECK(again.message == last.message && again.subject == last.subject);
        }
    }
    return 0;
}
