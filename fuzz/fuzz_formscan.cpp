// Both form scans over any page markup (outer and inner markup split at the first NUL).
#include "browser/formscan.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString outer = QString::fromUtf8(firstPart(data, size));
    const QString inner = QString::fromUtf8(secondPart(data, size));
    const FormScan scan = scanForPostForm(outer, inner);
    FUZZ_CHECK(scan.formIndex >= -1 && scan.fieldIndex >= -1);
    FUZZ_CHECK(scan.formIndex >= 0 || scan.fieldIndex == -1);
    return 0;
}
