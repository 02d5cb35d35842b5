#pragma once

#include <QByteArray>

// How a page's body is packed ("Content-Encoding"). We never ask for packing, but some servers
// and proxies pack anyway; the posts and log-in signs can only be read from the unpacked page.
enum class BodyPacking {
    None,    // absent or "identity"
    Gzip,    // "gzip" or "x-gzip"
    Deflate, // "deflate": a zlib stream, or raw deflate data as some servers send it
    Unknown, // anything else: the page cannot be read
};

BodyPacking bodyPackingFromHeader(const QByteArray &contentEncoding);

struct UnpackedBody
{
    enum Result {
        Unpacked,
        TooLong, // it unpacks to more than the limit: only that much is kept
        Broken,  // not what its packing says, or cut short
    };
    Result result = Broken;
    QByteArray page;
};

// Unpacks a whole packed body, keeping at most limit bytes of the page. The limit also bounds the
// work: a small body that would unpack to gigabytes stops at the limit.
UnpackedBody unpackBody(const QByteArray &packed, BodyPacking packing, qsizetype limit);
