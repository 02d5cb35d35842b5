#include "compose/linkencoder.h"

#include <QList>

#include <algorithm>

namespace {

// A stretch of the output that holds a link we inserted; [start, end).
struct Wall
{
    qsizetype start;
    qsizetype end;
};

struct Markup
{
    const QString &open02;
    const QString &close01;
};

constexpr qsizetype webMarkerLength = 7; // "http://"

bool isLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// Characters that end an address; the one met belongs to the address.
bool isForwardStop(char16_t c)
{
    switch (c) {
    case u'\r':
    case u'\n':
    case u'?':
    case u',':
    case u'!':
    case u' ': return true;
    default: return false;
    }
}

// Only these bound an e-mail address on its left: a comma or "?" before an "@" is taken along.
bool isBackwardStop(char16_t c)
{
    return c == u'\r' || c == u'\n' || c == u' ';
}

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

// No other character folds to one of the marker's letters, so an ASCII comparison is a full
// case-insensitive one here.
bool webMarkerAt(const char16_t *d, qsizetype i, qsizetype n)
{
    static constexpr char16_t marker[] = u"http://";
    if (n - i < webMarkerLength)
        return false;
    for (qsizetype k = 0; k < webMarkerLength; ++k) {
        if (asciiLower(d[i + k]) != marker[k])
            return false;
    }
    return true;
}

// Index of an address's last character when its forward scan starts at from and may not pass
// limit (the end of the text or the start of a link already inserted). A "." just before the
// limit is left outside, so a sentence's full stop does not become part of its last link.
qsizetype addressEnd(const char16_t *d, qsizetype from, qsizetype limit)
{
    for (qsizetype i = from; i < limit; ++i) {
        if (isForwardStop(d[i]))
            return i;
    }
    if (limit > 0 && d[limit - 1] == u'.')
        return limit - 2;
    return limit - 1;
}

// The characters first..last of an address; a line break can only be the last of them (any
// earlier one would have ended the address), and it never goes into a link.
struct Address
{
    qsizetype first;
    qsizetype last;
};

qsizetype keptLength(const char16_t *d, const Address &a)
{
    return a.last - a.first + (isLineBreak(d[a.last]) ? 0 : 1);
}

// Finds the web addresses of a text, one after another.
class WebAddresses
{
public:
    explicit WebAddresses(const QString &text)
        : d(reinterpret_cast<const char16_t *>(text.utf16()))
        , n(text.size())
        , done(n < 2)
    {
    }

    bool next(Address &address)
    {
        if (done)
            return false;
        const qsizetype s = nextMarker();
        if (s < 0) {
            done = true;
            return false;
        }
        address = {s, addressEnd(d, s + webMarkerLength, n)};
        p = address.last + 1;
        done = n - p < 3;
        return true;
    }

private:
    // The first marker starting at or after p, or -1. Every marker holds one ":" at a fixed
    // place and colons are rare in prose, so the search hops from colon to colon with the
    // vectorised character search rather than trying the marker at every position.
    qsizetype nextMarker() const
    {
        const QStringView text(d, n);
        for (qsizetype colon = text.indexOf(u':', p + markerColon); colon >= 0; colon = text.indexOf(u':', colon + 1)) {
            if (webMarkerAt(d, colon - markerColon, n))
                return colon - markerColon;
        }
        return -1;
    }

    static constexpr qsizetype markerColon = 4; // "http" comes before it

    const char16_t *d;
    qsizetype n;
    qsizetype p = 0;
    bool done;
};

// Finds the e-mail addresses in the web pass's output, in which every inserted link is a wall:
// the backward walk stops at one as at the start of the text, the forward scan stops before one
// as at the end of the text, and an "@" inside one is markup, not an address. Without this,
// "a@b c@d" or "http://u@h/p" would get links nested inside links. Positions and the count of
// characters left are those of the text as it would read after each link were put in.
class MailAddresses
{
public:
    MailAddresses(const QString &text, const QList<Wall> &walls)
        : d(reinterpret_cast<const char16_t *>(text.utf16()))
        , n(text.size())
        , walls(walls)
        , done(n < 2)
    {
    }

    bool next(Address &address)
    {
        if (done)
            return false;
        const qsizetype a = nextAt();
        if (a < 0) {
            done = true;
            return false;
        }
        // The previous e-mail link ends at p; it is a wall too.
        const qsizetype leftBound = std::max(p, w > 0 ? walls[w - 1].end : qsizetype(0));
        const qsizetype rightBound = w < walls.size() ? walls[w].start : n;
        qsizetype b = a;
        while (b > leftBound && !isBackwardStop(d[b - 1]))
            --b;
        address = {b, addressEnd(d, a, rightBound)};
        p = address.last + 1;
        done = n - p < 3;
        return true;
    }

private:
    // The first "@" from p on that is not inside a wall, or -1.
    qsizetype nextAt()
    {
        qsizetype i = p;
        while (i < n) {
            while (w < walls.size() && walls[w].end <= i)
                ++w;
            if (w < walls.size() && walls[w].start <= i) {
                i = walls[w].end;
                continue;
            }
            // The stretch up to the next wall holds no markup: search it in one go.
            const qsizetype stretchEnd = w < walls.size() ? walls[w].start : n;
            const qsizetype at = QStringView(d + i, stretchEnd - i).indexOf(u'@');
            if (at >= 0)
                return i + at;
            i = stretchEnd;
        }
        return -1;
    }

    const char16_t *d;
    qsizetype n;
    const QList<Wall> &walls;
    qsizetype p = 0;
    qsizetype w = 0; // first wall that ends after the scan position
    bool done;
};

// Writes the text with each address replaced by its link. Rather than rebuilding the text per
// link, a first sweep measures the result and a second fills it, so the cost stays linear in the
// text however many addresses it holds, and nothing is stored per address. Each link's place in
// the output is added to walls when asked.
template<typename Finder>
QString buildLinks(const QString &text, const Finder &finder, const QString &targetPrefix, const Markup &m,
                   QList<Wall> *walls)
{
    const auto *d = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype markupLength = targetPrefix.size() + m.open02.size() + m.close01.size();
    qsizetype size = text.size();
    bool any = false;
    Address a{};
    for (Finder measure = finder; measure.next(a); any = true)
        size += markupLength + 2 * keptLength(d, a) - (a.last - a.first + 1);
    if (!any)
        return text;

    // Written through a raw pointer: a message full of short addresses makes millions of tiny
    // copies, and QString::append's per-call checks would cost more than the copies.
    QString out(size, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    char16_t *const begin = o;
    auto put = [&o](const char16_t *from, qsizetype length) {
        std::copy_n(from, length, o);
        o += length;
    };
    auto putText = [&put](const QString &piece) {
        put(reinterpret_cast<const char16_t *>(piece.utf16()), piece.size());
    };
    qsizetype copied = 0;
    for (Finder fill = finder; fill.next(a);) {
        put(d + copied, a.first - copied);
        const qsizetype wallStart = o - begin;
        const qsizetype length = keptLength(d, a);
        putText(targetPrefix);
        put(d + a.first, length);
        putText(m.open02);
        put(d + a.first, length);
        putText(m.close01);
        if (walls)
            walls->append({wallStart, o - begin});
        copied = a.last + 1;
    }
    put(d + copied, text.size() - copied);
    Q_ASSERT(o - begin == size);
    return out;
}

} // namespace

QString encodeLinks(const QString &text, const QString &linkOpen01, const QString &linkOpen02,
                    const QString &linkClose01, const QString &mailCall01)
{
    const Markup m{linkOpen02, linkClose01};
    QList<Wall> walls;
    const QString web = buildLinks(text, WebAddresses(text), linkOpen01, m, &walls);
    return buildLinks(web, MailAddresses(web, walls), linkOpen01 + mailCall01, m, nullptr);
}
