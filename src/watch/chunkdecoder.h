#pragma once

#include <QByteArray>

// Reads the framing of a chunked body as it arrives ("1a;ext\r\n" + 26 bytes + "\r\n", ..., "0\r\n",
// trailer lines, "\r\n"), keeping up to a limit of the page it carries. A size that is no hex
// number of at most 15 digits, a line too long to be one, or data not followed by a line end
// breaks the framing: nothing after it can be trusted to be the page.
class ChunkDecoder
{
public:
    // Bytes a size, extension or trailer line may hold before the framing counts as broken.
    static constexpr qsizetype lineLimit = 4096;
    // Bytes all trailer lines together may hold.
    static constexpr qsizetype trailerLimit = 64 * 1024;

    void reset();
    // Keep up to this many page bytes (0, the default: keep none).
    void setPageLimit(qsizetype limit) { m_pageLimit = limit; }

    // Takes the next bytes of the body. Returns how many of them belong to it: all of them until
    // the end of the framing, then none.
    qsizetype feed(const char *data, qsizetype size);
    // Inside a chunk's data: how many of the next bytes are page data, which skip() may count
    // without looking at them. 0 elsewhere.
    qint64 dataLeft() const { return m_state == State::Data ? m_dataLeft : 0; }
    // Counts up to dataLeft() page bytes unseen (they are not kept); returns how many it took.
    qint64 skip(qint64 size);

    // The last chunk and the trailer have arrived.
    bool done() const { return m_state == State::Done; }
    bool broken() const { return m_state == State::Broken; }
    // Page bytes the chunks carried so far, and those kept of them.
    qint64 pageBytes() const { return m_pageBytes; }
    const QByteArray &page() const { return m_page; }

private:
    enum class State { Size, Data, DataEnd, Trailer, Done, Broken };

    bool takeSizeLine();
    void takeTrailerLine();

    State m_state = State::Size;
    QByteArray m_line;
    QByteArray m_page;
    qsizetype m_pageLimit = 0;
    qint64 m_dataLeft = 0;
    qint64 m_pageBytes = 0;
    qsizetype m_trailerBytes = 0;
    bool m_sawCarriageReturn = false;
};
