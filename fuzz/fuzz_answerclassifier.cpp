// A server's answer read by the response meter and judged by the answer classifier: only a 2xx
// status line is the page, and however the bytes arrive, the meter reads the same header. The
// wait a Retry-After asks for is never more than the longest we keep.
#include "fuzzsupport.h"
#include "watch/answerclassifier.h"
#include "watch/responsemeter.h"
#include "watch/retryafter.h"

#include <QTimeZone>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const char *answer = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    ResponseMeter whole;
    whole.setBodyLimit(64);
    whole.feed(answer, length);
    ResponseMeter pieces;
    pieces.setBodyLimit(64);
    const qsizetype step = data[0] % 16 + 1;
    for (qsizetype done = 0; done < length; done += step)
        pieces.feed(answer + done, qMin(step, length - done));
    FUZZ_CHECK(whole.statusCode() == pieces.statusCode());
    FUZZ_CHECK(whole.location() == pieces.location());
    FUZZ_CHECK(whole.body() == pieces.body());
    FUZZ_CHECK(whole.body().size() <= 64);
    const int status = whole.headerSeen() ? whole.statusCode() : 0;
    const QString failure =
        answerFailure(status, whole.reasonPhrase(), whole.location(), QStringLiteral("f.example/t/1"));
    FUZZ_CHECK(failure.isEmpty() == (status >= 200 && status <= 299));
    isLoginAddress(QString::fromLatin1(whole.location()));
    const int wait =
        RetryAfter::seconds(whole.retryAfter(), QDateTime::fromSecsSinceEpoch(1790000000, QTimeZone::utc()));
    FUZZ_CHECK(wait >= -1 && wait <= RetryAfter::maxSeconds);
    return 0;
}
