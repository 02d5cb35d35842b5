#pragma once

#include "watch/chunkdecoder.h"

#include <QByteArray>
#include <QString>

// Counts the body bytes of one HTTP response as it arrives, and tells when the body is complete:
// when its announced length (Content-Length) or its last chunk has arrived. Without either, the
// body ends only when the server closes the connection. The header is kept only while its end is
// being looked for, and at most headerLimit bytes of it: a response with no header end in that
// span is counted whole, as a response without any header would be.
class ResponseMeter
{
public:
    static constexpr qsizetype headerLimit = 1024 * 1024;
    // Interim answers (1xx) before the real one are passed over, this many at most.
    static constexpr int interimAnswerLimit = 16;

    void reset();
    // Keep up to this many page bytes for reading the page (0, the default: keep none). A page
    // longer than that is kept in part only, and bodyCut() tells.
    void setBodyLimit(qsizetype limit) { m_bodyLimit = limit; }
    // How many of the next bytes may be counted unseen with skip(): body bytes that will not be
    // kept and hold no framing. 0 when the next bytes must be fed.
    qint64 skippable() const;
    // Takes one arrival. Returns true when the header end was already known before this arrival,
    // which is when the caller shows the progress text. Bytes after the end of a complete body
    // are not counted.
    bool feed(const char *data, qsizetype size);
    // Counts size bytes the caller did not look at (at most skippable()); returns as feed() does.
    bool skip(qint64 size);

    bool headerSeen() const { return m_headerSeen; }
    // Whether headerLimit bytes came without a header end, so the answer can never be read.
    bool gaveUp() const { return m_gaveUp; }
    // The body's framing says where it ends and all of it has arrived.
    bool complete() const { return m_complete; }
    // The framing cannot be read: a Content-Length that is no number (or two that differ), or
    // chunk framing that breaks. Nothing after the header can be trusted to be the page.
    bool unreadable() const { return m_unreadable; }
    // Bytes after the blank line that ends the header, up to the end of a complete body; all
    // bytes while no header end is known. A chunked body is counted with its framing.
    qint64 bodyBytes() const { return m_bodyBytes; }
    // The length the header announces (Content-Length, read as HTTP reads it), -1 when it
    // announces none or the body is chunked.
    qint64 announcedLength() const { return m_announcedLength; }
    // The announced length as the progress text reads it, 0 when absent or unreadable there.
    qint64 contentLength() const { return m_contentLength; }
    // Bytes held while the header end is looked for.
    qsizetype bufferedBytes() const { return m_header.size(); }

    // From the status line once the header is known: its code (0 when the answer has no readable
    // status line) and reason phrase. The "Location", "Content-Encoding" and "Retry-After" values,
    // and whether the body is chunked.
    int statusCode() const { return m_statusCode; }
    QByteArray reasonPhrase() const { return m_reasonPhrase; }
    QByteArray location() const { return m_location; }
    QByteArray contentEncoding() const { return m_contentEncoding; }
    QByteArray retryAfter() const { return m_retryAfter; }
    bool chunked() const { return m_chunked; }
    // The page bytes kept (see setBodyLimit), without any chunk framing; how many page bytes
    // arrived; and whether some of them were not kept.
    const QByteArray &body() const { return m_chunked ? m_chunks.page() : m_body; }
    qint64 pageBytes() const { return m_chunked ? m_chunks.pageBytes() : m_bodyBytes; }
    bool bodyCut() const { return pageBytes() > body().size(); }
    // The page a chunked body carries, without its framing; empty and *ok false when the framing
    // cannot be read.
    static QByteArray dechunk(const QByteArray &body, bool *ok);

    // "Downloaded N bytes" or "Downloaded N from L (P%)". Empty when the percentage is too large
    // to show, in which case the previous text stays.
    static QString progressText(qint64 bodyBytes, qint64 contentLength);
    // The value of the first header line that mentions "Content-Length": the number after the
    // line's first blank, 0 when there is none or it is not a number.
    static qint64 parseContentLength(const QByteArray &header);

private:
    void readHeader(const QByteArray &header);
    void takeBody(const char *data, qsizetype size);
    void addLengthValue(const QByteArray &value);

    QByteArray m_header;
    QByteArray m_body;
    ChunkDecoder m_chunks;
    qsizetype m_bodyLimit = 0;
    int m_statusCode = 0;
    QByteArray m_reasonPhrase;
    QByteArray m_location;
    QByteArray m_contentEncoding;
    QByteArray m_retryAfter;
    bool m_chunked = false;
    bool m_headerSeen = false;
    bool m_gaveUp = false;
    int m_interimAnswers = 0;
    bool m_complete = false;
    bool m_unreadable = false;
    qint64 m_bodyBytes = 0;
    qint64 m_announcedLength = -1;
    qint64 m_contentLength = 0;
};
