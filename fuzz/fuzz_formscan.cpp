// Both form scans over any page markup (outer and inner markup split at the first NUL), and the
// one-walk rewrites against the four replacements made one after the other.
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
    FUZZ_CHECK(scan.formIndex < 0 || findMessageFieldInLines(lines, scan.formIndex) == scan.fieldIndex);
    const QString body = bodyInnerMarkup(outer);
    FUZZ_CHECK(body.size() <= outer.size());
    return 0;
}
