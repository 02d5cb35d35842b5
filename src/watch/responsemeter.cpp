#include "watch/responsemeter.h"

#include <QList>

#include <algorithm>
#include <cctype>
#include <cmath>

void ResponseMeter::reset()
{
    m_header = QByteArray();
    m_body = QByteArray();
    m_statusCode = 0;
    m_reasonPhrase = QByteArray();
    m_location = QByteArray();
    m_chunked = false;
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
        if (m_body.size() < m_bodyLimit)
            m_body.append(data, std::min<qsizetype>(size, m_bodyLimit - m_body.size()));
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
        readHeader(m_header.left(end));
        if (m_bodyLimit > 0) {
            // The body's first bytes came with the header: in what was kept of it, and beyond.
            m_body = m_header.mid(end + 4) + QByteArray(data + take, size - take);
            m_body.truncate(m_bodyLimit);
        }
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

void ResponseMeter::readHeader(const QByteArray &header)
{
    const QList<QByteArray> lines = header.split('\n');
    // "HTTP/1.1 404 Not Found": the code is three digits after the version.
    const QByteArray status = lines.value(0).trimmed();
    const qsizetype blank = status.indexOf(' ');
    if (status.startsWith("HTTP/") && blank > 0) {
        const QByteArray code = status.mid(blank + 1, 3);
        bool ok =
            code.size() == 3 && std::all_of(code.cbegin(), code.cend(), [](char c) { return c >= '0' && c <= '9'; });
        if (ok && (status.size() == blank + 4 || status.at(blank + 4) == ' ')) {
            m_statusCode = code.toInt();
            m_reasonPhrase = status.mid(blank + 5).trimmed();
        }
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "location" && m_location.isEmpty())
            m_location = value;
        else if (name == "transfer-encoding" && value.toLower().contains("chunked"))
            m_chunked = true;
    }
}

QByteArray ResponseMeter::dechunk(const QByteArray &body, bool *ok)
{
    QByteArray page;
    qsizetype at = 0;
    *ok = false;
    while (at < body.size()) {
        const qsizetype lineEnd = body.indexOf("\r\n", at);
        if (lineEnd < 0)
            return QByteArray();
        // The size in hex, then perhaps ";name=value" extensions.
        QByteArray sizeText = body.mid(at, lineEnd - at);
        const qsizetype semicolon = sizeText.indexOf(';');
        if (semicolon >= 0)
            sizeText.truncate(semicolon);
        sizeText = sizeText.trimmed();
        const bool hexDigits =
            !sizeText.isEmpty() && sizeText.size() <= 15 &&
            std::all_of(sizeText.cbegin(), sizeText.cend(), [](char c) { return std::isxdigit(uchar(c)); });
        if (!hexDigits)
            return QByteArray();
        const qint64 chunk = sizeText.toLongLong(nullptr, 16);
        if (chunk == 0) {
            *ok = true;
            return page;
        }
        const qsizetype start = lineEnd + 2;
        if (chunk > body.size() - start)
            return QByteArray();
        page.append(body.constData() + start, chunk);
        at = start + chunk;
        if (body.mid(at, 2) != "\r\n")
            return QByteArray();
        at += 2;
    }
    return QByteArray();
}
