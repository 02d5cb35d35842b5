// Both form scans over any page markup (outer and inner markup split at the first NUL), the
// one-walk rewrites against the four replacements made one after the other, and the fast text
// search of the scans against the library's.
#include "browser/formscan.h"
#include "fuzzsupport.h"

namespace {

QString replacedInTurn(QString text, bool firstPass)
{
    text.replace(QStringLiteral("<form"), QStringLiteral("\r\n<form\r\n"), Qt::CaseInsensitive);
    text.replace(firstPass ? QStringLiteral("</form") : QStringLiteral("</form>"), QStringLiteral("\r\n</form>\r\n"),
                 Qt::CaseInsensitive);
    text.replace(QStringLiteral("<input "), firstPass ? QStringLiteral("\r\n<input ") : QStringLiteral("\r\n<input"),
                 Qt::CaseInsensitive);
    text.replace(QStringLiteral("<textarea"), QStringLiteral("\r\n<textarea"), Qt::CaseInsensitive);
    return text;
}

// The form scan of the first pass as written out, with the library's case-insensitive search.
int postFormByContains(const QStringList &lines)
{
    int count = -1;
    bool inForm = false;
    for (const QString &line : lines) {
        if (!inForm && line.contains(QLatin1String("<form"), Qt::CaseInsensitive)) {
            inForm = true;
            ++count;
        }
        if (inForm) {
            if (line.contains(QLatin1String("textarea"), Qt::CaseInsensitive))
                return count;
            if (line.contains(QLatin1String("</form>"), Qt::CaseInsensitive))
                inForm = false;
        }
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString outer = QString::fromUtf8(firstPart(data, size));
    const QString inner = QString::fromUtf8(secondPart(data, size));
    const FormScan scan = scanForPostForm(outer, inner);
    FUZZ_CHECK(scan.formIndex >= -1 && scan.fieldIndex >= -1);
    FUZZ_CHECK(scan.formIndex >= 0 || scan.fieldIndex == -1);
    FUZZ_CHECK(rewriteForFirstPass(outer) == replacedInTurn(outer, true));
    FUZZ_CHECK(rewriteForSecondPass(outer) == replacedInTurn(outer, false));
    // The scan over views into the last pass finds what the scans over its listed lines find.
    const QStringList lines = scratchLines(scan.scratchTexts.last());
    FUZZ_CHECK(findPostFormInLines(lines) == scan.formIndex);
    FUZZ_CHECK(postFormByContains(lines) == scan.formIndex);
    FUZZ_CHECK(scan.formIndex < 0 || findMessageFieldInLines(lines, scan.formIndex) == scan.fieldIndex);
    const QString body = bodyInnerMarkup(outer);
    FUZZ_CHECK(body.size() <= outer.size());
    return 0;
}
