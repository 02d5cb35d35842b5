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

} // namespace

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
    scan.scratchTexts << rewriteForFirstPass(outerHtml) + crLf;
    QStringList lines = scratchLines(scan.scratchTexts.last());
    scan.formIndex = findPostFormInLines(lines);
    if (scan.formIndex < 0) {
        scan.scratchTexts << rewriteForSecondPass(innerHtml) + crLf;
        lines = scratchLines(scan.scratchTexts.last());
        scan.formIndex = findPostFormInLines(lines);
    }
    if (scan.formIndex >= 0)
        scan.fieldIndex = findMessageFieldInLines(lines, scan.formIndex);
    return scan;
}
