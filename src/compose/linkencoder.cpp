#include "compose/linkencoder.h"

#include "compose/modernlinkencoder.h"

#include <algorithm>

namespace {

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
    bool mail;
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
        address = {s, addressEnd(d, s + webMarkerLength, n), false};
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

// Finds every address of a text in order, web and e-mail alike, as the web pass and then the
// e-mail pass over its output would find them. The e-mail pass meets the web links only as
// walls: it never searches inside one, its backward walk stops at the end of one (or of the
// e-mail link before) as at the start of the text, and its forward scan stops before one as at
// the end of the text. Without that, "a@b c@d" or "http://u@h/p" would get links nested inside
// links. Since it never reads inside a link, it can run over the original text: a web link
// needs seven characters, so "fewer than three characters left" means the same in both texts.
class Addresses
{
public:
    explicit Addresses(const QString &text)
        : d(reinterpret_cast<const char16_t *>(text.utf16()))
        , n(text.size())
        , web(text)
        , mailDone(n < 2)
    {
        haveWall = web.next(wall);
    }

    bool next(Address &address)
    {
        if (!mailDone) {
            const qsizetype limit = haveWall ? wall.first : n;
            const qsizetype at = QStringView(d + cursor, limit - cursor).indexOf(u'@');
            if (at >= 0) {
                const qsizetype a = cursor + at;
                qsizetype b = a;
                while (b > cursor && !isBackwardStop(d[b - 1]))
                    --b;
                address = {b, addressEnd(d, a, limit), true};
                cursor = address.last + 1;
                mailDone = n - cursor < 3;
                return true;
            }
        }
        if (!haveWall)
            return false;
        address = wall;
        cursor = wall.last + 1;
        haveWall = web.next(wall);
        return true;
    }

private:
    const char16_t *d;
    qsizetype n;
    WebAddresses web;
    Address wall{};
    bool haveWall = false;
    qsizetype cursor = 0; // just after the last address found
    bool mailDone;
};

// Writes the text with each address replaced by its link. Rather than rebuilding the text per
// link, a first sweep measures the result and a second fills it, so the cost stays linear in the
// text however many addresses it holds, and nothing is stored per address.
QString buildLinks(const QString &text, const QString &webPrefix, const QString &mailPrefix, const QString &open02,
                   const QString &close01)
{
    const auto *d = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype markupLength = open02.size() + close01.size();
    qsizetype size = text.size();
    bool any = false;
    Address a{};
    for (Addresses measure(text); measure.next(a); any = true) {
        size += (a.mail ? mailPrefix : webPrefix).size() + markupLength + 2 * keptLength(d, a) - (a.last - a.first + 1);
    }
    if (!any)
        return text;

    // Written through a raw pointer: a message full of short addresses makes millions of tiny
    // copies, and QString::append's per-call checks would cost more than the copies.
    QString out(size, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    auto put = [&o](const char16_t *from, qsizetype length) {
        std::copy_n(from, length, o);
        o += length;
    };
    auto putText = [&put](const QString &piece) {
        put(reinterpret_cast<const char16_t *>(piece.utf16()), piece.size());
    };
    qsizetype copied = 0;
    for (Addresses fill(text); fill.next(a);) {
        const qsizetype length = keptLength(d, a);
        put(d + copied, a.first - copied);
        putText(a.mail ? mailPrefix : webPrefix);
        put(d + a.first, length);
        putText(open02);
        put(d + a.first, length);
        putText(close01);
        copied = a.last + 1;
    }
    put(d + copied, text.size() - copied);
    Q_ASSERT(o == reinterpret_cast<const char16_t *>(out.constData()) + size);
    return out;
}

} // namespace

QString encodeLinks(const QString &text, const QString &linkOpen01, const QString &linkOpen02,
                    const QString &linkClose01, const QString &mailCall01)
{
    return buildLinks(text, linkOpen01, linkOpen01 + mailCall01, linkOpen02, linkClose01);
}

QString encodeLinks(const QString &text, const QString &linkOpen01, const QString &linkOpen02,
                    const QString &linkClose01, const QString &mailCall01, LinkRules rules, const QString &mailOpen01,
                    const QString &mailClose01)
{
    if (rules == LinkRules::Modern)
        return encodeModernLinks(text, linkOpen01, linkOpen02, linkClose01, mailCall01, mailOpen01, mailClose01);
    return encodeLinks(text, linkOpen01, linkOpen02, linkClose01, mailCall01);
}
