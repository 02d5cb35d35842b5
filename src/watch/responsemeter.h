#pragma once

#include <QByteArray>
#include <QString>

// Counts the body bytes of one HTTP response as it arrives, without keeping the body. The header
// is kept only while its end is being looked for, and at most headerLimit bytes of it: a response
// with no header end in that span is counted whole, as a response without any header would be.
class ResponseMeter
{
public:
    static constexpr qsizetype headerLimit = 1024 * 1024;

    void reset();
    // Keep up to this many body bytes for reading the page (0, the default: keep none). A body
    // longer than that is kept in part only, and bodyCut() tells.
    void setBodyLimit(qsizetype limit) { m_bodyLimit = limit; }
    // Whether feed() looks at the bytes; when not, it only counts them.
    bool wantsBytes() const { return m_headerSeen ? m_body.size() < m_bodyLimit : !m_gaveUp; }
    // Takes one arrival. Returns true when the header end was already known before this arrival,
    // which is when the caller shows the progress text.
    bool feed(const char *data, qsizetype size);

    bool headerSeen() const { return m_headerSeen; }
    // Whether headerLimit bytes came without a header end, so the answer can never be read.
    bool gaveUp() const { return m_gaveUp; }
    // Bytes after the blank line that ends the header; all bytes while no header end is known.
    qint64 bodyBytes() const { return m_bodyBytes; }
    // The announced length, 0 when absent or unreadable. It only feeds the progress text.
    qint64 contentLength() const { return m_contentLength; }
    // Bytes held while the header end is looked for.
    qsizetype bufferedBytes() const { return m_header.size(); }

    // From the status line once the header is known: its code (0 when the answer has no readable
    // status line) and reason phrase. The "Location" value, and whether the body is chunked.
    int statusCode() const { return m_statusCode; }
    QByteArray reasonPhrase() const { return m_reasonPhrase; }
    QByteArray location() const { return m_location; }
    bool chunked() const { return m_chunked; }
    // The body bytes kept (see setBodyLimit), as they arrived; and whether some were not kept.
    const QByteArray &body() const { return m_body; }
    bool bodyCut() const { return m_bodyBytes > m_body.size(); }
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

    QByteArray m_header;
    QByteArray m_body;
    qsizetype m_bodyLimit = 0;
    int m_statusCode = 0;
    QByteArray m_reasonPhrase;
    QByteArray m_location;
    bool m_chunked = false;
    bool m_headerSeen = false;
    bool m_gaveUp = false;
    qint64 m_bodyBytes = 0;
    qint64 m_contentLength = 0;
};
