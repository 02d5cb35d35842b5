// The help document reader over any bytes.
#include "app/rtfreader.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    readRtf(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
