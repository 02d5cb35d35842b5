#include "watch/responsemeter.h"

#include <QCoreApplication>
#include <QList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qint64 unbounded = std::numeric_limits<qint64>::max();

bool isDigits(const QByteArray &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](char c) { return c >= '0' && c <= '9'; });
}

// "HTTP/1.1 103 Early Hints": an interim answer, which a server may send before the real one. 101
// is no interim answer: it would switch to another protocol, so it is left to end the page.
bool isInterimAnswer(const QByteArray &header)
{
    const qsizetype blank = header.indexOf(' ');
    if (!header.startsWith("HTTP/") || blank < 0 || header.size() < blank + 4)
        return false;
    const QByteArray code = header.mid(blank + 1, 3);
    return isDigits(code) && code.at(0) == '1' && code != "101";
}

} // namespace

void ResponseMeter::reset()
{
    m_header = QByteArray();
    m_body = QByteArray();
    m_chunks.reset();
    m_statusCode = 0;
    m_reasonPhrase = QByteArray();
    m_location = QByteArray();
    m_contentEncoding = QByteArray();
    m_retryAfter = QByteArray();
    m_chunked = false;
    m_headerSeen = false;
    m_gaveUp = false;
    m_interimAnswers = 0;
    m_complete = false;
    m_unreadable = false;
    m_bodyBytes = 0;
    m_announcedLength = -1;
    m_contentLength = 0;
}

qint64 ResponseMeter::skippable() const
{
    if (!m_headerSeen)
        return m_gaveUp ? unbounded : 0;
    if (m_complete || m_unreadable || body().size() < m_bodyLimit)
        return 0;
    if (m_chunked)
        return m_chunks.dataLeft();
    return m_announcedLength >= 0 ? m_announcedLength - m_bodyBytes : unbounded;
}

bool ResponseMeter::skip(qint64 size)
{
    size = std::min(std::max<qint64>(size, 0), skippable());
    if (!m_headerSeen) {
        m_bodyBytes += size;
        return false;
    }
    if (m_chunked) {
        m_bodyBytes += m_chunks.skip(size);
        return true;
    }
    m_bodyBytes += size;
    m_complete = m_bodyBytes == m_announcedLength;
    return true;
}

bool ResponseMeter::feed(const char *data, qsizetype size)
{
    if (size <= 0)
        return m_headerSeen;
    if (m_headerSeen) {
        takeBody(data, size);
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
    if (end >= 0 && isInterimAnswer(m_header.left(end))) {
        // The real answer follows; a server that sends nothing but interim ones is given up on.
        if (++m_interimAnswers > interimAnswerLimit) {
            m_gaveUp = true;
            m_header = QByteArray();
            return false;
        }
        const QByteArray rest = m_header.mid(end + 4) + QByteArray(data + take, size - take);
        m_header = QByteArray();
        m_bodyBytes = 0;
        return feed(rest.constData(), rest.size());
    }
    if (end >= 0) {
        m_headerSeen = true;
        m_bodyBytes = 0;
        m_contentLength = parseContentLength(m_header.left(end));
        readHeader(m_header.left(end));
        // The body's first bytes came with the header: in what was kept of it, and beyond.
        const QByteArray header = m_header;
        m_header = QByteArray();
        takeBody(header.constData() + end + 4, header.size() - end - 4);
        takeBody(data + take, size - take);
    } else if (m_header.size() >= headerLimit) {
        m_gaveUp = true;
        m_header = QByteArray();
    }
    return false;
}

void ResponseMeter::takeBody(const char *data, qsizetype size)
{
    if (size <= 0 || m_complete || m_unreadable)
        return;
    if (m_chunked) {
        m_bodyBytes += m_chunks.feed(data, size);
        m_complete = m_chunks.done();
        m_unreadable = m_chunks.broken();
        return;
    }
    // Bytes beyond the announced length are no part of the page.
    if (m_announcedLength >= 0)
        size = qsizetype(std::min<qint64>(size, m_announcedLength - m_bodyBytes));
    if (m_body.size() < m_bodyLimit)
        m_body.append(data, std::min<qsizetype>(size, m_bodyLimit - m_body.size()));
    m_bodyBytes += size;
    m_complete = m_bodyBytes == m_announcedLength;
}

void ResponseMeter::addLengthValue(const QByteArray &value)
{
    // "Content-Length: 42", perhaps repeated, or as a list of the same number ("42, 42"). Anything
    // else leaves nothing to tell where the page ends.
    for (const QByteArray &part : value.split(',')) {
        const QByteArray digits = part.trimmed();
        if (!isDigits(digits) || digits.size() > 18) {
            m_unreadable = true;
            return;
        }
        const qint64 length = digits.toLongLong();
        if (m_announcedLength >= 0 && m_announcedLength != length) {
            m_unreadable = true;
            return;
        }
        m_announcedLength = length;
    }
}

QString ResponseMeter::progressText(qint64 bodyBytes, qint64 contentLength)
{
    // No count is below nothing; a negative one would also put the percentage out of any range.
    bodyBytes = std::max<qint64>(bodyBytes, 0);
    if (contentLength < 1)
        return QCoreApplication::translate("Watch", "Downloaded %1 bytes").arg(bodyBytes);
    // Ties go to the even neighbour, as the status line always has.
    const double percent =
        std::nearbyint(static_cast<double>(bodyBytes) / (static_cast<double>(contentLength) / 100.0));
    if (percent > 32767.0)
        return QString();
    return QCoreApplication::translate("Watch", "Downloaded %1 from %2 (%3%)")
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
        else if (name == "content-length")
            addLengthValue(value);
        else if (name == "content-encoding" && m_contentEncoding.isEmpty())
            m_contentEncoding = value;
        else if (name == "retry-after" && m_retryAfter.isEmpty())
            m_retryAfter = value;
    }
    if (m_chunked) {
        // The chunks say where the page ends, whatever length the header gives besides.
        m_announcedLength = -1;
        m_unreadable = false;
        m_chunks.setPageLimit(m_bodyLimit);
    } else if (m_unreadable) {
        m_announcedLength = -1; // no length can be trusted
    } else if (m_announcedLength == 0) {
        m_complete = true;
    }
}

QByteArray ResponseMeter::dechunk(const QByteArray &body, bool *ok)
{
    ChunkDecoder chunks;
    chunks.setPageLimit(body.size());
    chunks.feed(body.constData(), body.size());
    *ok = chunks.done();
    return *ok ? chunks.page() : QByteArray();
}
