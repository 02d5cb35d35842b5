// The response meter fed in chunks: the first byte seeds the chunk sizes, the rest is the
// response. However the bytes arrive, the count is the one of a single arrival.
#include "fuzzsupport.h"
#include "watch/responsemeter.h"

#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const char *response = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);

    ResponseMeter whole;
    whole.feed(response, length);

    std::minstd_rand chunks(data[0] + 1u);
    ResponseMeter pieces;
    qsizetype done = 0;
    while (done < length) {
        const qsizetype chunk = qMin<qsizetype>(length - done, qsizetype(chunks() % 64) + 1);
        pieces.feed(response + done, chunk);
        FUZZ_CHECK(pieces.bufferedBytes() <= ResponseMeter::headerLimit);
        done += chunk;
    }
    FUZZ_CHECK(pieces.headerSeen() == whole.headerSeen());
    FUZZ_CHECK(pieces.bodyBytes() == whole.bodyBytes());
    FUZZ_CHECK(pieces.contentLength() == whole.contentLength());
    ResponseMeter::progressText(pieces.bodyBytes(), pieces.contentLength());
    return 0;
}
