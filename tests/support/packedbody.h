#pragma once

#include <QByteArray>

// A page packed as a server packs it: gzip, a zlib stream ("deflate" as the standard has it) or
// raw deflate data (as some servers send "deflate").
enum class Packing { Gzip, Zlib, RawDeflate };
QByteArray packedBody(const QByteArray &page, Packing packing);
