#include "browser/visibletext.h"

#include "browser/collapsedtext.h"
#include "browser/markuptags.h"

#include <QHash>

#include <algorithm>

namespace {

// Elements whose content a reader never sees as text of the page.
bool hidesContent(const QString &tag)
{
    static const QStringList hidden{QStringLiteral("script"),   QStringLiteral("style"), QStringLiteral("textarea"),
                                    QStringLiteral("head"),     QStringLiteral("title"), QStringLiteral("template"),
                                    QStringLiteral("noscript"), QStringLiteral("svg")};
    return hidden.contains(tag);
}

// Elements that start a line of their own; the others run on within the line.
bool endsLine(const QString &tag)
{
    static const QStringList blocks{
        QStringLiteral("br"),     QStringLiteral("p"),          QStringLiteral("div"),     QStringLiteral("li"),
        QStringLiteral("ul"),     QStringLiteral("ol"),         QStringLiteral("dl"),      QStringLiteral("dt"),
        QStringLiteral("dd"),     QStringLiteral("tr"),         QStringLiteral("td"),      QStringLiteral("th"),
        QStringLiteral("table"),  QStringLiteral("blockquote"), QStringLiteral("pre"),     QStringLiteral("hr"),
        QStringLiteral("h1"),     QStringLiteral("h2"),         QStringLiteral("h3"),      QStringLiteral("h4"),
        QStringLiteral("h5"),     QStringLiteral("h6"),         QStringLiteral("section"), QStringLiteral("article"),
        QStringLiteral("header"), QStringLiteral("footer"),     QStringLiteral("nav"),     QStringLiteral("aside"),
        QStringLiteral("form"),   QStringLiteral("fieldset"),   QStringLiteral("figure"),  QStringLiteral("figcaption"),
        QStringLiteral("main"),   QStringLiteral("address"),    QStringLiteral("body"),    QStringLiteral("html")};
    return blocks.contains(tag);
}

const QHash<QString, QString> &namedReferences()
{
    // The ones a page serialiser writes, the typographic ones engines write, and common symbols.
    static const QHash<QString, QString> names{
        {QStringLiteral("amp"), QStringLiteral("&")},       {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},      {QStringLiteral("nbsp"), QString(QChar(0xA0))},
        {QStringLiteral("hellip"), QString(QChar(0x2026))}, {QStringLiteral("mdash"), QString(QChar(0x2014))},
        {QStringLiteral("ndash"), QString(QChar(0x2013))},  {QStringLiteral("lsquo"), QString(QChar(0x2018))},
        {QStringLiteral("rsquo"), QString(QChar(0x2019))},  {QStringLiteral("sbquo"), QString(QChar(0x201A))},
        {QStringLiteral("ldquo"), QString(QChar(0x201C))},  {QStringLiteral("rdquo"), QString(QChar(0x201D))},
        {QStringLiteral("bdquo"), QString(QChar(0x201E))},  {QStringLiteral("prime"), QString(QChar(0x2032))},
        {QStringLiteral("Prime"), QString(QChar(0x2033))},  {QStringLiteral("laquo"), QString(QChar(0xAB))},
        {QStringLiteral("raquo"), QString(QChar(0xBB))},    {QStringLiteral("shy"), QString(QChar(0xAD))},
        {QStringLiteral("copy"), QString(QChar(0xA9))},     {QStringLiteral("reg"), QString(QChar(0xAE))},
        {QStringLiteral("trade"), QString(QChar(0x2122))},  {QStringLiteral("times"), QString(QChar(0xD7))},
        {QStringLiteral("middot"), QString(QChar(0xB7))},   {QStringLiteral("bull"), QString(QChar(0x2022))},
        {QStringLiteral("deg"), QString(QChar(0xB0))},      {QStringLiteral("euro"), QString(QChar(0x20AC))},
        {QStringLiteral("pound"), QString(QChar(0xA3))},    {QStringLiteral("ensp"), QString(QChar(0x2002))},
        {QStringLiteral("emsp"), QString(QChar(0x2003))},   {QStringLiteral("thinsp"), QString(QChar(0x2009))},
        {QStringLiteral("zwj"), QString(QChar(0x200D))},    {QStringLiteral("zwnj"), QString(QChar(0x200C))},
    };
    return names;
}

// Decodes the reference that starts at text[at] ('&'). Returns how many characters it took (0 when
// it is no reference and the '&' stands for itself) and appends what it stands for.
qsizetype decodeReference(const QString &text, qsizetype at, qsizetype limit, QString &out)
{
    // Names are short: looking no further keeps a page of ampersands from costing quadratic time.
    const qsizetype reach = std::min<qsizetype>(limit, at + 34);
    qsizetype semicolon = -1;
    for (qsizetype i = at + 1; i < reach && semicolon < 0; ++i) {
        if (text.at(i) == QLatin1Char(';'))
            semicolon = i;
    }
    if (semicolon < 0)
        return 0;
    const QString name = text.mid(at + 1, semicolon - at - 1);
    if (name.startsWith(QLatin1Char('#'))) {
        const bool hex = name.size() > 1 && (name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X'));
        bool ok = false;
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok)
            return 0;
        // What a browser shows for a reference to nothing, or to half of a pair.
        const char32_t shown = code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? 0xFFFD : code;
        out += QString::fromUcs4(&shown, 1);
        return semicolon - at + 1;
    }
    const auto found = namedReferences().constFind(name);
    if (found == namedReferences().constEnd())
        return 0;
    out += found.value();
    return semicolon - at + 1;
}

void appendDecoded(const QString &text, qsizetype from, qsizetype to, QString &out)
{
    for (qsizetype i = from; i < to; ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            const qsizetype taken = decodeReference(text, i, to, out);
            if (taken > 0) {
                i += taken - 1;
                continue;
            }
        }
        out += text.at(i);
    }
}

} // namespace

QString visibleText(const QString &markup)
{
    QString out;
    out.reserve(markup.size() / 2);
    qsizetype i = 0;
    qsizetype textStart = 0;
    while (i < markup.size()) {
        if (markup.at(i) != QLatin1Char('<')) {
            ++i;
            continue;
        }
        const QChar next = i + 1 < markup.size() ? markup.at(i + 1) : QChar();
        const bool closing = next == QLatin1Char('/');
        const QChar first = closing && i + 2 < markup.size() ? markup.at(i + 2) : next;
        const bool comment = markup.mid(i, 4) == QLatin1String("<!--");
        if (!comment && !isAsciiLetter(first) && next != QLatin1Char('!') && next != QLatin1Char('?')) {
            ++i; // "<" as text
            continue;
        }
        appendDecoded(markup, textStart, i, out);
        if (comment) {
            const qsizetype end = markup.indexOf(QLatin1String("-->"), i + 4);
            i = end < 0 ? markup.size() : end + 3;
            textStart = i;
            continue;
        }
        qsizetype nameEnd = i + (closing ? 2 : 1);
        while (nameEnd < markup.size() && (markup.at(nameEnd).isLetterOrNumber() || markup.at(nameEnd) == '-'))
            ++nameEnd;
        const qsizetype nameStart = i + (closing ? 2 : 1);
        const QString tag = markup.mid(nameStart, nameEnd - nameStart).toLower();
        i = tagEnd(markup, i);
        if (endsLine(tag))
            out += QLatin1Char('\n');
        if (!closing && hidesContent(tag) && markup.at(i - 1) == QLatin1Char('>') && markup.at(i - 2) != '/') {
            const qsizetype end = markup.indexOf(QStringLiteral("</") + tag, i, Qt::CaseInsensitive);
            i = end < 0 ? markup.size() : tagEnd(markup, end);
        }
        textStart = i;
    }
    appendDecoded(markup, textStart, markup.size(), out);
    return out;
}

QString comparableText(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC);
    for (QChar &c : folded) {
        switch (c.unicode()) {
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x201B:
        case 0x2032:
        case 0x0060:
        case 0x00B4: c = QLatin1Char('\''); break;
        case 0x201C:
        case 0x201D:
        case 0x201E:
        case 0x201F:
        case 0x2033: c = QLatin1Char('"'); break;
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2013:
        case 0x2014:
        case 0x2015:
        case 0x2212: c = QLatin1Char('-'); break;
        default: break;
        }
    }
    const QString collapsed = collapsedWhiteSpace(folded);
    QString out;
    out.reserve(collapsed.size());
    for (const QChar c : collapsed) {
        // A run of dashes, with nothing visible between them, is one dash.
        if (c == QLatin1Char('-') && out.endsWith(QLatin1Char('-')))
            continue;
        out += c;
    }
    return out.toCaseFolded();
}
