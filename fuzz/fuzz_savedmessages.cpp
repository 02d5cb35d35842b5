// The reader of messages.txt: every line splits into message and subject, and a message saved
// from what was read reads back the same.
#include "compose/savedmessage.h"
#include "compose/savedmessagefile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    useFuzzDataFolder();
    writeDataFile(QStringLiteral("messages.txt"), QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const SavedMessageLines read = readSavedMessages();
    FUZZ_CHECK(read.status == SavedMessageLines::Read);
    for (const QString &line : read.lines) {
        const SavedMessage saved = parseSavedMessageLine(line);
        if (!savedSubjectProblem(saved.subject).isEmpty())
            continue;
        const SavedMessage again = parseSavedMessageLine(savedMessageLine(saved.message, saved.subject));
        FUZZ_CHECK(again.message == saved.message && again.subject == saved.subject);
    }
    if (!read.lines.isEmpty()) {
        const SavedMessage last = parseSavedMessageLine(read.lines.last());
        if (savedSubjectProblem(last.subject).isEmpty() && appendSavedMessage(last.message, last.subject).isEmpty()) {
            const SavedMessage again = parseSavedMessageLine(readSavedMessages().lines.last());
            FUZZ_CHECK(again.message == last.message && again.subject == last.subject);
        }
    }
    return 0;
}
