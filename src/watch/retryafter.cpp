#include "watch/retryafter.h"

#include <QList>
#include <QTimeZone>

#include <algorithm>

namespace RetryAfter {

int seconds(const QByteArray &value, const QDateTime &now)
{
    const QByteArray text = value.trimmed();
    if (text.isEmpty())
        return -1;
    if (std::all_of(text.cbegin(), text.cend(), [](char c) { return c >= '0' && c <= '9'; })) {
        // Digits beyond what any wait needs are still a wait: the longest one.
        if (text.size() > 9)
            return maxSeconds;
        return std::min(text.toInt(), maxSeconds);
    }
    // "Wed, 21 Oct 2026 07:28:00 GMT": date and time read apart, so the local clock's changes
    // (a time that does not exist here) play no part.
    const QList<QByteArray> parts = text.split(' ');
    if (parts.size() != 6 || parts.at(5) != "GMT")
        return -1;
    const QDate day =
        QDate::fromString(QString::fromLatin1(parts.mid(0, 4).join(' ')), QStringLiteral("ddd, dd MMM yyyy"));
    const QTime time = QTime::fromString(QString::fromLatin1(parts.at(4)), QStringLiteral("hh:mm:ss"));
    if (!day.isValid() || !time.isValid())
        return -1;
    const qint64 left = now.secsTo(QDateTime(day, time, QTimeZone::utc()));
    return int(std::clamp<qint64>(left, 0, maxSeconds));
}

} // namespace RetryAfter
