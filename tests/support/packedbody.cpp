#include "packedbody.h"

#include <zlib.h>

QByteArray packedBody(const QByteArray &page, Packing packing)
{
    const int windowBits = packing == Packing::Gzip ? 15 + 16 : packing == Packing::Zlib ? 15 : -15;
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray packed(qsizetype(deflateBound(&stream, uLong(page.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(page.constData()));
    stream.avail_in = uInt(page.size());
    stream.next_out = reinterpret_cast<Bytef *>(packed.data());
    stream.avail_out = uInt(packed.size());
    const int status = deflate(&stream, Z_FINISH);
    packed.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return status == Z_STREAM_END ? packed : QByteArray();
}
