// What an insert script answers, as the page gives it: the report reader, the read-back
// comparison and the visible text of markup (report and message split at the first NUL).
#include "browser/insertreport.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString answer = QString::fromUtf8(firstPart(data, size));
    const QString message = QString::fromUtf8(secondPart(data, size));
    const InsertReport report = parseInsertReport(answer);
    FUZZ_CHECK(report.road != InsertReport::None || report.text.isEmpty());
    // A message always shows in itself, and in a text that holds it.
    FUZZ_CHECK(showsMessage(message, message));
    FUZZ_CHECK(showsMessage(report.text + QLatin1Char(' ') + message, message));
    const QString visible = visibleTextOfMarkup(answer);
    FUZZ_CHECK(visible.size() <= answer.size() * 2 + 1);
    showsMessage(report.text, visibleTextOfMarkup(editorMarkup(message)));
    return 0;
}
