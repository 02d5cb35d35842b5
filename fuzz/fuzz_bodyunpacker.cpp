// The unpacker of pages a server packed: whatever the bytes, it keeps to its limit, and a page it
// packs itself comes back whole (or cut at the limit). The first byte picks the packing and the
// limit; the rest is the body.
#include "fuzzsupport.h"
#include "watch/bodyunpacker.h"

#include <zlib.h>

namespace {

QByteArray gzipped(const QByteArray &page)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        std::abort();
    QByteArray packed(qsizetype(deflateBound(&stream, uLong(page.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(page.constData()));
    stream.avail_in = uInt(page.size());
    stream.next_out = reinterpret_cast<Bytef *>(packed.data());
    stream.avail_out = uInt(packed.size());
    FUZZ_CHECK(deflate(&stream, Z_FINISH) == Z_STREAM_END);
    packed.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return packed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const QByteArray codings[] = {"gzip", "deflate", "identity", "br"};
    const QByteArray body(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const BodyPacking packing = bodyPackingFromHeader(codings[data[0] % 4]);
    const qsizetype limit = qsizetype(data[0] >> 2) * 64;

    const UnpackedBody unpacked = unpackBody(body, packing, limit);
    FUZZ_CHECK(unpacked.page.size() <= limit);
    FUZZ_CHECK(unpacked.result != UnpackedBody::Broken || unpacked.page.isEmpty());

    const UnpackedBody back = unpackBody(gzipped(body), BodyPacking::Gzip, limit);
    FUZZ_CHECK(back.result == (body.size() > limit ? UnpackedBody::TooLong : UnpackedBody::Unpacked));
    FUZZ_CHECK(back.page == body.left(limit));
    return 0;
}
