#include "browser/formscan.h"

#include "browser/markuptags.h"

#include <initializer_list>
#include <utility>

namespace {

const QString crLf = QStringLiteral("\r\n");

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// Whether text holds what (lower-case ASCII) at position at, ignoring case as has() does.
bool startsWithNoCase(QStringView text, qsizetype at, QLatin1String what)
{
    if (at + what.size() > text.size())
        return false;
    for (qsizetype k = 0; k < what.size(); ++k) {
        if (asciiLower(text.at(at + k).unicode()) != char16_t(what.at(k).unicode()))
            return false;
    }
    return true;
}

// Whether line holds what (lower-case ASCII), ignoring case. No character outside ASCII folds to
// the letters of the tag names looked for, so comparing ASCII letters alone matches as a full
// case-insensitive search does, many times faster on a large page.
bool has(QStringView line, QLatin1String what)
{
    if (what.startsWith(QLatin1Char('<'))) {
        // Only at a "<", which the library finds many characters at a time.
        for (qsizetype i = line.indexOf(QLatin1Char('<')); i >= 0; i = line.indexOf(QLatin1Char('<'), i + 1)) {
            if (startsWithNoCase(line, i, what))
                return true;
        }
        return false;
    }
    const qsizetype length = what.size();
    const char16_t first = char16_t(what.at(0).unicode());
    for (qsizetype i = 0; i + length <= line.size(); ++i) {
        if (asciiLower(line.at(i).unicode()) != first)
            continue;
        qsizetype k = 1;
        while (k < length && asciiLower(line.at(i + k).unicode()) == char16_t(what.at(k).unicode()))
            ++k;
        if (k == length)
            return true;
    }
    return false;
}

// The lines of a scratch text as views into it: only CR LF ends a line; the final terminator
// gives no extra line.
QList<QStringView> lineViews(const QString &scratchText)
{
    QList<QStringView> lines;
    const QStringView text(scratchText);
    qsizetype start = 0;
    qsizetype end = text.indexOf(QLatin1Char('\r'));
    while (start < text.size()) {
        // A CR alone ends nothing.
        while (end >= 0 && (end + 1 >= text.size() || text.at(end + 1) != QLatin1Char('\n')))
            end = text.indexOf(QLatin1Char('\r'), end + 1);
        if (end < 0) {
            lines << text.mid(start);
            break;
        }
        lines << text.mid(start, end - start);
        start = end + 2;
        end = text.indexOf(QLatin1Char('\r'), start);
    }
    return lines;
}

template<typename Lines> int postFormIn(const Lines &lines)
{
    int count = -1;
    bool inForm = false;
    for (const auto &line : lines) {
        if (!inForm && has(line, QLatin1String("<form"))) {
            inForm = true;
            ++count;
        }
        if (inForm) {
            if (has(line, QLatin1String("textarea")))
                return count;
            if (has(line, QLatin1String("</form>")))
                inForm = false;
        }
    }
    return -1;
}

template<typename Lines> int messageFieldIn(const Lines &lines, int formIndex)
{
    int formCount = -1;
    int fieldCount = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line(lines.at(i));
        if (has(line, QLatin1String("<form")))
            ++formCount;
        if (formCount != formIndex)
            continue;
        if (has(line, QLatin1String("<textarea")) || has(line, QLatin1String("<input")))
            ++fieldCount;
        if (has(line, QLatin1String("textarea"))) {
            // A find on the very last line reads as "ran out of lines", as it always has.
            return i == lines.size() - 1 ? -1 : fieldCount;
        }
    }
    return -1;
}

// The four replacements of a pass, made in one walk over the markup. Done one after the other,
// each matching without regard to case and inserting its replacement as written, they give the
// same text: every pattern starts with "<" and holds no other, so no two matches overlap and no
// replacement makes a new match.
QString rewritten(const QString &markup, bool firstPass)
{
    static const QLatin1String form("<form"), formEnd("</form"), formEndClosed("</form>"), input("<input "),
        textarea("<textarea");
    const QStringView text(markup);
    QString out;
    out.reserve(markup.size() + markup.size() / 16);
    qsizetype copied = 0;
    const QLatin1String closing = firstPass ? formEnd : formEndClosed;
    for (qsizetype i = text.indexOf(QLatin1Char('<')); i >= 0; i = text.indexOf(QLatin1Char('<'), i)) {
        // Most tags are none of the four: their second character tells.
        const char16_t next = i + 1 < text.size() ? asciiLower(text.at(i + 1).unicode()) : 0;
        QLatin1String matched;
        QLatin1String replacement;
        if (next == u'f' && startsWithNoCase(text, i, form)) {
            matched = form;
            replacement = QLatin1String("\r\n<form\r\n");
        } else if (next == u'/' && startsWithNoCase(text, i, closing)) {
            matched = closing;
            replacement = QLatin1String("\r\n</form>\r\n");
        } else if (next == u'i' && startsWithNoCase(text, i, input)) {
            matched = input;
            replacement = firstPass ? QLatin1String("\r\n<input ") : QLatin1String("\r\n<input");
        } else if (next == u't' && startsWithNoCase(text, i, textarea)) {
            matched = textarea;
            replacement = QLatin1String("\r\n<textarea");
        } else {
            ++i;
            continue;
        }
        out += text.mid(copied, i - copied);
        out += replacement;
        i += matched.size();
        copied = i;
    }
    out += text.mid(copied);
    return out;
}

} // namespace

QString withoutInertText(const QString &markup)
{
    static const QString commentOpen = QStringLiteral("<!--");
    static const QString commentClose = QStringLiteral("-->");
    QString kept;
    kept.reserve(markup.size());
    qsizetype copied = 0; // markup before this position is settled in kept
    qsizetype i = markup.indexOf(QLatin1Char('<'));
    while (i >= 0 && i < markup.size()) {
        qsizetype next = i + 1;
        if (QStringView(markup).mid(i, 4) == commentOpen) {
            const qsizetype text = i + 4;
            if (QStringView(markup).mid(text, 1) == QLatin1String(">")) {
                next = text + 1; // "<!-->": an empty comment
            } else if (QStringView(markup).mid(text, 2) == QLatin1String("->")) {
                next = text + 2; // "<!--->"
            } else {
                const qsizetype close = markup.indexOf(commentClose, text);
                const qsizetype textEnd = close < 0 ? markup.size() : close;
                kept += QStringView(markup).mid(copied, text - copied);
                copied = textEnd;
                next = textEnd;
            }
        } else if (i + 1 < markup.size() && isAsciiLetter(markup.at(i + 1))) {
            next = tagEnd(markup, i);
            qsizetype nameEnd = i + 1;
            while (nameEnd < markup.size() && (isAsciiLetter(markup.at(nameEnd)) || markup.at(nameEnd).isDigit()))
                ++nameEnd;
            const QStringView name = QStringView(markup).mid(i + 1, nameEnd - i - 1);
            for (const QLatin1String raw : {QLatin1String("script"), QLatin1String("style")}) {
                if (name.compare(raw, Qt::CaseInsensitive) != 0)
                    continue;
                // The element's text runs to its end tag, whatever it looks like.
                const qsizetype close = markup.indexOf(QStringLiteral("</") + raw, next, Qt::CaseInsensitive);
                const qsizetype textEnd = close < 0 ? markup.size() : close;
                kept += QStringView(markup).mid(copied, next - copied);
                copied = textEnd;
                next = textEnd;
            }
        }
        i = markup.indexOf(QLatin1Char('<'), next);
    }
    kept += QStringView(markup).mid(copied);
    return kept;
}

QString rewriteForFirstPass(const QString &markup)
{
    return rewritten(markup, true);
}

QString rewriteForSecondPass(const QString &markup)
{
    return rewritten(markup, false);
}

QStringList scratchLines(const QString &scratchText)
{
    if (scratchText.isEmpty())
        return {};
    QStringList lines = scratchText.split(crLf);
    if (scratchText.endsWith(crLf))
        lines.removeLast();
    return lines;
}

int findPostFormInLines(const QStringList &lines)
{
    return postFormIn(lines);
}

int findMessageFieldInLines(const QStringList &lines, int formIndex)
{
    return messageFieldIn(lines, formIndex);
}

QString bodyInnerMarkup(const QString &bodyOuterHtml)
{
    if (!bodyOuterHtml.startsWith(QLatin1String("<body"), Qt::CaseInsensitive))
        return bodyOuterHtml;
    const qsizetype start = tagEnd(bodyOuterHtml, 0);
    qsizetype end = bodyOuterHtml.size();
    if (bodyOuterHtml.endsWith(QLatin1String("</body>"), Qt::CaseInsensitive))
        end -= 7;
    return start <= end ? bodyOuterHtml.mid(start, end - start) : QString();
}

FormScan scanForPostForm(const QString &outerHtml, const QString &innerHtml)
{
    // Each pass's text is terminated in place: a page's markup is large to copy.
    auto terminated = [](QString text) {
        text += crLf;
        return text;
    };
    FormScan scan;
    scan.scratchTexts << terminated(rewriteForFirstPass(withoutInertText(outerHtml)));
    QList<QStringView> lines = lineViews(scan.scratchTexts.last());
    scan.formIndex = postFormIn(lines);
    if (scan.formIndex < 0) {
        scan.scratchTexts << terminated(rewriteForSecondPass(withoutInertText(innerHtml)));
        lines = lineViews(scan.scratchTexts.last());
        scan.formIndex = postFormIn(lines);
    }
    if (scan.formIndex >= 0)
        scan.fieldIndex = messageFieldIn(lines, scan.formIndex);
    return scan;
}
