#include "browser/formscan.h"

#include <initializer_list>
#include <utility>

namespace {

const QString crLf = QStringLiteral("\r\n");

bool has(const QString &line, const QString &what)
{
    return line.contains(what, Qt::CaseInsensitive);
}

// Each (before, after) pair in turn; matching ignores case, the replacement goes in exactly as written.
QString rewritten(QString text, std::initializer_list<std::pair<QString, QString>> replacements)
{
    for (const auto &[before, after] : replacements)
        text.replace(before, after, Qt::CaseInsensitive);
    return text;
}

QString ownLine(const QString &tag)
{
    return crLf + tag + crLf;
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The position just past the ">" that ends the tag opened at start, stepping over quoted attribute
// values (a value may hold "<" or ">"); the end of the text when the tag is never closed.
qsizetype tagEnd(const QString &markup, qsizetype start)
{
    qsizetype i = start + 1;
    QChar previous;
    while (i < markup.size()) {
        const QChar c = markup.at(i);
        if (c == QLatin1Char('>'))
            return i + 1;
        if ((c == QLatin1Char('"') || c == QLatin1Char('\'')) && previous == QLatin1Char('=')) {
            const qsizetype close = markup.indexOf(c, i + 1);
            if (close < 0)
                return markup.size();
            i = close + 1;
            previous = c;
            continue;
        }
        if (!c.isSpace())
            previous = c;
        ++i;
    }
    return markup.size();
}

} // namespace

QString withoutInertText(const QString &markup)
{
    static const QString commentOpen = QStringLiteral("<!--");
    static const QString commentClose = QStringLiteral("-->");
    QString kept;
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
    return rewritten(markup, {{QStringLiteral("<form"), ownLine(QStringLiteral("<form"))},
                              {QStringLiteral("</form"), ownLine(QStringLiteral("</form>"))},
                              {QStringLiteral("<input "), crLf + QStringLiteral("<input ")},
                              {QStringLiteral("<textarea"), crLf + QStringLiteral("<textarea")}});
}

QString rewriteForSecondPass(const QString &markup)
{
    return rewritten(markup, {{QStringLiteral("<form"), ownLine(QStringLiteral("<form"))},
                              {QStringLiteral("</form>"), ownLine(QStringLiteral("</form>"))},
                              {QStringLiteral("<input "), crLf + QStringLiteral("<input")},
                              {QStringLiteral("<textarea"), crLf + QStringLiteral("<textarea")}});
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
    int count = -1;
    bool inForm = false;
    for (const QString &line : lines) {
        if (!inForm && has(line, QStringLiteral("<form"))) {
            inForm = true;
            ++count;
        }
        if (inForm) {
            if (has(line, QStringLiteral("textarea")))
                return count;
            if (has(line, QStringLiteral("</form>")))
                inForm = false;
        }
    }
    return -1;
}

int findMessageFieldInLines(const QStringList &lines, int formIndex)
{
    int formCount = -1;
    int fieldCount = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (has(line, QStringLiteral("<form")))
            ++formCount;
        if (formCount != formIndex)
            continue;
        if (has(line, QStringLiteral("<textarea")) || has(line, QStringLiteral("<input")))
            ++fieldCount;
        if (has(line, QStringLiteral("textarea"))) {
            // A find on the very last line reads as "ran out of lines", as it always has.
            return i == lines.size() - 1 ? -1 : fieldCount;
        }
    }
    return -1;
}

FormScan scanForPostForm(const QString &outerHtml, const QString &innerHtml)
{
    FormScan scan;
    scan.scratchTexts << rewriteForFirstPass(withoutInertText(outerHtml)) + crLf;
    QStringList lines = scratchLines(scan.scratchTexts.last());
    scan.formIndex = findPostFormInLines(lines);
    if (scan.formIndex < 0) {
        scan.scratchTexts << rewriteForSecondPass(withoutInertText(innerHtml)) + crLf;
        lines = scratchLines(scan.scratchTexts.last());
        scan.formIndex = findPostFormInLines(lines);
    }
    if (scan.formIndex >= 0)
        scan.fieldIndex = findMessageFieldInLines(lines, scan.formIndex);
    return scan;
}
