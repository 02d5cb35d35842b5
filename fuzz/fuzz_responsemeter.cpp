// The response meter fed in chunks: the first byte seeds the chunk sizes, the rest is the
// response. However the bytes arrive, and whether the body bytes it need not see are fed or
// skipped, it reads the same header, framing and page as from a single arrival.
#include "fuzzsupport.h"
#include "watch/responsemeter.h"

#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const char *response = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    const qsizetype keep = data[0] % 8 * 16;

    ResponseMeter whole;
    whole.setBodyLimit(keep);
    whole.feed(response, length);

    std::minstd_rand chunks(data[0] + 1u);
    ResponseMeter pieces;
    pieces.setBodyLimit(keep);
    qsizetype done = 0;
    while (done < length) {
        const qsizetype chunk = qMin<qsizetype>(length - done, qsizetype(chunks() % 64) + 1);
        const qint64 unseen = qMin<qint64>(pieces.skippable(), chunk);
        if (unseen > 0 && chunks() % 2) {
            pieces.skip(unseen);
            done += unseen;
            continue;
        }
        pieces.feed(response + done, chunk);
        FUZZ_CHECK(pieces.bufferedBytes() <= ResponseMeter::headerLimit);
        done += chunk;
    }
    FUZZ_CHECK(pieces.headerSeen() == whole.headerSeen());
    FUZZ_CHECK(pieces.bodyBytes() == whole.bodyBytes());
    FUZZ_CHECK(pieces.contentLength() == whole.contentLength());
    FUZZ_CHECK(pieces.announcedLength() == whole.announcedLength());
    FUZZ_CHECK(pieces.complete() == whole.complete());
    FUZZ_CHECK(pieces.unreadable() == whole.unreadable());
    FUZZ_CHECK(pieces.pageBytes() == whole.pageBytes());
    FUZZ_CHECK(pieces.body() == whole.body());
    FUZZ_CHECK(whole.body().size() <= keep);
    FUZZ_CHECK(!(whole.complete() && whole.unreadable()));
    if (whole.announcedLength() >= 0)
        FUZZ_CHECK(whole.bodyBytes() <= whole.announcedLength());
    if (whole.headerSeen())
        FUZZ_CHECK(whole.pageBytes() <= whole.bodyBytes());
    ResponseMeter::progressText(pieces.bodyBytes(), pieces.contentLength());
    return 0;
}
