#include "watch/chunkdecoder.h"

#include <algorithm>
#include <cctype>
#include <cstring>

void ChunkDecoder::reset()
{
    m_state = State::Size;
    m_line = QByteArray();
    m_page = QByteArray();
    m_dataLeft = 0;
    m_pageBytes = 0;
    m_trailerBytes = 0;
    m_sawCarriageReturn = false;
}

qsizetype ChunkDecoder::feed(const char *data, qsizetype size)
{
    qsizetype at = 0;
    while (at < size && m_state != State::Done && m_state != State::Broken) {
        switch (m_state) {
        case State::Data: {
            const qsizetype take = qsizetype(std::min<qint64>(m_dataLeft, size - at));
            if (m_page.size() < m_pageLimit)
                m_page.append(data + at, std::min<qsizetype>(take, m_pageLimit - m_page.size()));
            m_pageBytes += take;
            m_dataLeft -= take;
            at += take;
            if (m_dataLeft == 0)
                m_state = State::DataEnd;
            break;
        }
        case State::DataEnd: {
            // Each chunk's data ends with a line end; a lone line feed is taken as one too.
            const char c = data[at++];
            if (c == '\r' && !m_sawCarriageReturn) {
                m_sawCarriageReturn = true;
            } else if (c == '\n') {
                m_sawCarriageReturn = false;
                m_state = State::Size;
            } else {
                m_state = State::Broken;
            }
            break;
        }
        case State::Size:
        case State::Trailer: {
            const char *lineFeed = static_cast<const char *>(memchr(data + at, '\n', size_t(size - at)));
            const qsizetype stop = lineFeed ? qsizetype(lineFeed - data) : size;
            m_line.append(data + at, std::min<qsizetype>(stop - at, lineLimit + 1 - m_line.size()));
            at = lineFeed ? stop + 1 : size;
            if (m_line.size() > lineLimit) {
                m_state = State::Broken;
                break;
            }
            if (!lineFeed)
                break;
            if (m_line.endsWith('\r'))
                m_line.chop(1);
            if (m_state == State::Size) {
                if (!takeSizeLine())
                    m_state = State::Broken;
            } else {
                takeTrailerLine();
            }
            m_line.clear();
            break;
        }
        case State::Done:
        case State::Broken: break;
        }
    }
    return at;
}

qint64 ChunkDecoder::skip(qint64 size)
{
    const qint64 take = std::min(std::max<qint64>(size, 0), dataLeft());
    m_pageBytes += take;
    m_dataLeft -= take;
    if (m_state == State::Data && m_dataLeft == 0)
        m_state = State::DataEnd;
    return take;
}

bool ChunkDecoder::takeSizeLine()
{
    // The size in hex, then perhaps ";name=value" extensions, which say nothing about the page.
    QByteArray sizeText = m_line;
    const qsizetype semicolon = sizeText.indexOf(';');
    if (semicolon >= 0)
        sizeText.truncate(semicolon);
    sizeText = sizeText.trimmed();
    // Fifteen hex digits fit a 64-bit count with room to spare; a longer "size" is no size.
    const bool hexDigits =
        !sizeText.isEmpty() && sizeText.size() <= 15 &&
        std::all_of(sizeText.cbegin(), sizeText.cend(), [](char c) { return std::isxdigit(uchar(c)) != 0; });
    if (!hexDigits)
        return false;
    m_dataLeft = sizeText.toLongLong(nullptr, 16);
    m_state = m_dataLeft == 0 ? State::Trailer : State::Data;
    return true;
}

void ChunkDecoder::takeTrailerLine()
{
    // Trailer fields end with an empty line, and with it the body.
    if (m_line.isEmpty()) {
        m_state = State::Done;
        return;
    }
    m_trailerBytes += m_line.size();
    if (m_trailerBytes > trailerLimit)
        m_state = State::Broken;
}
