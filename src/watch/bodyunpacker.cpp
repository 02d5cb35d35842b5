#include "watch/bodyunpacker.h"

#include <zlib.h>

#include <algorithm>

namespace {

// zlib's window bits: 15 for the stream itself, +32 to take a zlib or a gzip header as it comes,
// negative for raw deflate data without either.
constexpr int zlibOrGzip = 15 + 32;
constexpr int rawDeflate = -15;

UnpackedBody inflateAll(const QByteArray &packed, int windowBits, qsizetype limit)
{
    UnpackedBody out;
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return out;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    constexpr qsizetype step = 64 * 1024;
    qsizetype membersEnd = -1; // where the last whole gzip member ended, if one did
    for (;;) {
        // Room for one byte past the limit tells a page of exactly the limit from a longer one.
        const qsizetype room = std::min<qsizetype>(step, limit + 1 - out.page.size());
        const qsizetype before = out.page.size();
        out.page.resize(before + room);
        stream.next_out = reinterpret_cast<Bytef *>(out.page.data() + before);
        stream.avail_out = uInt(room);
        const int status = inflate(&stream, Z_NO_FLUSH);
        out.page.resize(before + room - qsizetype(stream.avail_out));
        if (out.page.size() > limit) {
            out.page.truncate(limit);
            out.result = UnpackedBody::TooLong;
            break;
        }
        if (status == Z_STREAM_END) {
            // Several gzip members one after another make one page.
            membersEnd = out.page.size();
            if (stream.avail_in > 0 && windowBits == zlibOrGzip && inflateReset(&stream) == Z_OK)
                continue;
            out.result = UnpackedBody::Unpacked;
            break;
        }
        if (status != Z_OK) {
            // Z_BUF_ERROR here means the input ended before the stream did: cut short. What
            // follows a whole member (padding some servers add) does not spoil the member.
            out.result = membersEnd >= 0 ? UnpackedBody::Unpacked : UnpackedBody::Broken;
            out.page.truncate(std::max<qsizetype>(membersEnd, 0));
            break;
        }
    }
    inflateEnd(&stream);
    if (out.result == UnpackedBody::Broken)
        out.page = QByteArray();
    return out;
}

} // namespace

BodyPacking bodyPackingFromHeader(const QByteArray &contentEncoding)
{
    const QByteArray value = contentEncoding.trimmed().toLower();
    if (value.isEmpty() || value == "identity")
        return BodyPacking::None;
    if (value == "gzip" || value == "x-gzip")
        return BodyPacking::Gzip;
    if (value == "deflate")
        return BodyPacking::Deflate;
    return BodyPacking::Unknown;
}

UnpackedBody unpackBody(const QByteArray &packed, BodyPacking packing, qsizetype limit)
{
    limit = std::max<qsizetype>(limit, 0);
    switch (packing) {
    case BodyPacking::None: {
        UnpackedBody out;
        out.result = packed.size() > limit ? UnpackedBody::TooLong : UnpackedBody::Unpacked;
        out.page = packed.left(limit);
        return out;
    }
    case BodyPacking::Gzip: return inflateAll(packed, zlibOrGzip, limit);
    case BodyPacking::Deflate: {
        const UnpackedBody wrapped = inflateAll(packed, zlibOrGzip, limit);
        return wrapped.result == UnpackedBody::Broken ? inflateAll(packed, rawDeflate, limit) : wrapped;
    }
    case BodyPacking::Unknown: break;
    }
    return UnpackedBody();
}
