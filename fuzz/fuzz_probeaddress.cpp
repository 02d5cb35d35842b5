// The probe's address splitter and the request built from its result.
#include "fuzzsupport.h"
#include "watch/probeaddress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ProbeAddress address =
        splitProbeAddress(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (address.isValid()) {
        const QByteArray request = probeRequest(address);
        FUZZ_CHECK(request.startsWith("GET ") && request.endsWith("\r\n\r\n"));
    }
    return 0;
}
