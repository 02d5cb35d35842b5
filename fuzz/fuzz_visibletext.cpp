// The visible-text reader and the folding the post check compares in, on page markup (UTF-8):
// folded text has single blanks and none at its ends, and a page shows the message it consists of
// when that message is plain text.
#include "browser/postcheck.h"
#include "browser/visibletext.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString markup = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString folded = comparableText(visibleText(markup));
    FUZZ_CHECK(!folded.contains(QLatin1String("  ")));
    FUZZ_CHECK(!folded.startsWith(QLatin1Char(' ')) && !folded.endsWith(QLatin1Char(' ')));
    const QStringList readings = messageReadings(markup);
    pageShowsMessage(readings, markup);
    return 0;
}
