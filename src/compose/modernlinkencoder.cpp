#include "compose/modernlinkencoder.h"

namespace {

constexpr qsizetype mailtoLength = 7; // "mailto:"

bool usesBrackets(const QString &markup)
{
    return markup.contains(u'[') || markup.contains(u']');
}

// Appends address to out with the characters that end a quoted attribute, a tag or (for the
// bracket codes) a code percent-encoded. Spaces and < > never occur inside an address, but a
// caller's text is not ours to trust.
void appendEncoded(QString &out, QStringView address, bool bracketMarkup)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    for (QChar c : address) {
        const char16_t u = c.unicode();
        const bool encode = u == u'\'' || u == u'"' || u == u'<' || u == u'>' || u == u' ' ||
                            (bracketMarkup && (u == u'[' || u == u']'));
        if (!encode) {
            out += c;
            continue;
        }
        out += u'%';
        out += QLatin1Char(hex[u >> 4]);
        out += QLatin1Char(hex[u & 0xf]);
    }
}

void appendTarget(QString &out, QStringView address, ModernLink::Kind kind, const QString &mailCall01,
                  bool bracketMarkup)
{
    switch (kind) {
    case ModernLink::Web: break;
    case ModernLink::Www: out += QLatin1String("http://"); break;
    case ModernLink::Mail: out += mailCall01; break;
    case ModernLink::MailTo:
        // The template says how its forum wants an e-mail target written.
        out += mailCall01;
        address = address.mid(mailtoLength);
        break;
    }
    appendEncoded(out, address, bracketMarkup);
}

} // namespace

QString modernLinkTarget(QStringView address, ModernLink::Kind kind, const QString &mailCall01, bool bracketMarkup)
{
    QString out;
    appendTarget(out, address, kind, mailCall01, bracketMarkup);
    return out;
}

QString encodeModernLinks(const QString &text, const QString &linkOpen01, const QString &linkOpen02,
                          const QString &linkClose01, const QString &mailCall01, const QString &mailOpen01,
                          const QString &mailClose01)
{
    ModernLinkScanner scanner(text);
    ModernLink link{};
    if (!scanner.next(link))
        return text;
    const bool bracketMarkup = usesBrackets(linkOpen01) || usesBrackets(linkOpen02) || usesBrackets(linkClose01);
    const bool mailCode = !mailOpen01.isEmpty() || !mailClose01.isEmpty();
    const QStringView whole(text);
    QString out;
    out.reserve(text.size() + text.size() / 8 + 64);
    qsizetype copied = 0;
    do {
        const QStringView address = whole.mid(link.start, link.length);
        out += whole.mid(copied, link.start - copied);
        copied = link.start + link.length;
        if (mailCode && (link.kind == ModernLink::Mail || link.kind == ModernLink::MailTo)) {
            // The code holds the address once, as its text and its target, so it goes in as
            // written: an e-mail address is letters, digits, marks and ". _ - + @", none of which
            // ends a code. The forum adds the scheme itself; one written in the text stays text.
            const qsizetype scheme = link.kind == ModernLink::MailTo ? mailtoLength : 0;
            out += address.left(scheme);
            out += mailOpen01;
            out += address.mid(scheme);
            out += mailClose01;
            continue;
        }
        out += linkOpen01;
        appendTarget(out, address, link.kind, mailCall01, bracketMarkup);
        out += linkOpen02;
        out += address;
        out += linkClose01;
    } while (scanner.next(link));
    out += whole.mid(copied);
    return out;
}
