#pragma once

#include <QByteArray>
#include <QDateTime>

// How long a server that answered "429 Too Many Requests" or "503 Service Unavailable" asks us
// to wait ("Retry-After"): its whole seconds, or the time until the date it gives
// ("Wed, 21 Oct 2026 07:28:00 GMT"), counted from now. -1 when the value is neither. A date
// already past asks for 0; no wait is longer than maxSeconds, so a mistaken value on a forum
// cannot keep it from being checked for days.
namespace RetryAfter {

constexpr int maxSeconds = 24 * 60 * 60;

int seconds(const QByteArray &value, const QDateTime &now);

// Whether the status is one whose Retry-After asks us to slow down.
inline bool isSlowDown(int statusCode)
{
    return statusCode == 429 || statusCode == 503;
}

} // namespace RetryAfter
