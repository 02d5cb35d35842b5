#include "watch/responsemeter.h"

#include <algorithm>
#include <cmath>

void ResponseMeter::reset()
{
    m_header = QByteArray();
    m_headerSeen = false;
    m_gaveUp = false;
    m_bodyBytes = 0;
    m_contentLength = 0;
}

bool ResponseMeter::feed(const char *data, qsizetype size)
{
    if (size <= 0)
        return m_headerSeen;
    if (m_headerSeen) {
        m_bodyBytes += size;
        return true;
    }
    m_bodyBytes += size;
    if (m_gaveUp)
        return false;

    // The end marker may straddle two arrivals: look again from three bytes back.
    const qsizetype from = std::max<qsizetype>(0, m_header.size() - 3);
    const qsizetype take = std::min(size, headerLimit - m_header.size());
    m_header.append(data, take);
    const qsizetype end = m_header.indexOf("\r\n\r\n", from);
    if (end >= 0) {
        m_headerSeen = true;
        // Everything after the four end bytes is body, in this arrival and the ones before.
        m_bodyBytes -= end + 4;
        m_contentLength = parseContentLength(m_header.left(end));
        m_header = QByteArray();
    } else if (m_header.size() >= headerLimit) {
        m_gaveUp = true;
        m_header = QByteArray();
    }
    return false;
}

QString ResponseMeter::progressText(qint64 bodyBytes, qint64 contentLength)
{
    // No count is below nothing; a negative one would also put the percentage out of any range.
    bodyBytes = std::max<qint64>(bodyBytes, 0);
    if (contentLength < 1)
        return QStringLiteral("Downloaded %1 bytes").arg(bodyBytes);
    // Ties go to the even neighbour, as the status line always has.
    const double percent =
        std::nearbyint(static_cast<double>(bodyBytes) / (static_cast<double>(contentLength) / 100.0));
    if (percent > 32767.0)
        return QString();
    return QStringLiteral("Downloaded %1 from %2 (%3%)")
        .arg(bodyBytes)
        .arg(contentLength)
        .arg(static_cast<qint64>(percent));
}

qint64 ResponseMeter::parseContentLength(const QByteArray &header)
{
    qsizetype start = 0;
    while (start <= header.size()) {
        qsizetype stop = header.indexOf("\r\n", start);
        if (stop < 0)
            stop = header.size();
        const QByteArray line = header.mid(start, stop - start);
        start = stop + 2;
        if (!line.contains("Content-Length"))
            continue;
        // With no blank in the line the whole line is the value, which is not a number.
        const qsizetype blank = line.indexOf(' ');
        const QByteArray value = (blank < 0 ? line : line.mid(blank + 1)).trimmed();
        const bool digitsOnly =
            !value.isEmpty() && std::all_of(value.cbegin(), value.cend(), [](char c) { return c >= '0' && c <= '9'; });
        bool ok = false;
        const qint64 length = value.toLongLong(&ok);
        return digitsOnly && ok ? length : 0;
    }
    return 0;
}
