// The readers of a measured page: post numbers, login signs, chunk framing. The numbers come out
// ascending and once each, and a page holds no post that is new to itself.
#include "fuzzsupport.h"
#include "watch/pagemeasurement.h"
#include "watch/postnumbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray page(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<qint64> numbers = extractPostNumbers(page);
    for (qsizetype i = 1; i < numbers.size(); ++i)
        FUZZ_CHECK(numbers.at(i - 1) < numbers.at(i));
    FUZZ_CHECK(newPostCount(numbers, numbers) == 0);
    const PageMeasurement chunked = readMeasuredPage(qint64(size), page, true, false);
    FUZZ_CHECK(newPostCount(chunked.postNumbers, chunked.postNumbers) == 0);
    readMeasuredPage(qint64(size), page, false, false);
    return 0;
}
