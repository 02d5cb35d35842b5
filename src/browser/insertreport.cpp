#include "browser/insertreport.h"

#include "browser/collapsedtext.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

QString decodedReference(const QString &name)
{
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QString(QChar(0xA0))},
    };
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X'));
        const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return QString(QChar(0xFFFD));
        const char32_t ucs4 = code;
        return QString::fromUcs4(&ucs4, 1);
    }
    return named.value(name.toLower());
}

} // namespace

InsertReport parseInsertReport(const QVariant &answer)
{
    InsertReport report;
    if (answer.typeId() != QMetaType::QString)
        return report;
    const QJsonObject object = QJsonDocument::fromJson(answer.toString().toUtf8()).object();
    const QString road = object.value(QStringLiteral("road")).toString();
    if (road == QLatin1String("field"))
        report.road = InsertReport::Field;
    else if (road == QLatin1String("editor"))
        report.road = InsertReport::Editor;
    else
        return report;
    report.text = object.value(QStringLiteral("text")).toString();
    report.asked = object.value(QStringLiteral("asked")).toBool();
    report.focused = object.value(QStringLiteral("focused")).toBool();
    return report;
}

QString editorMarkup(const QString &message)
{
    QString markup = message;
    markup.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    markup.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    markup.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return markup;
}

QString visibleTextOfMarkup(const QString &markup)
{
    static const QRegularExpression lineBreakTag(QStringLiteral("^</?(br|p|div|li|h[1-6]|blockquote|pre|tr)\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
    QString text;
    text.reserve(markup.size());
    qsizetype i = 0;
    while (i < markup.size()) {
        const QChar c = markup.at(i);
        const bool tagStart = c == QLatin1Char('<') && i + 1 < markup.size() &&
                              (markup.at(i + 1).isLetter() || markup.at(i + 1) == QLatin1Char('/') ||
                               markup.at(i + 1) == QLatin1Char('!'));
        if (tagStart) {
            const qsizetype end = markup.indexOf(QLatin1Char('>'), i);
            if (end < 0)
                break; // an unclosed tag shows nothing
            if (lineBreakTag.match(QStringView(markup).mid(i, end - i + 1)).hasMatch())
                text += QLatin1Char('\n');
            i = end + 1;
            continue;
        }
        if (c == QLatin1Char('&')) {
            const qsizetype end = markup.indexOf(QLatin1Char(';'), i);
            if (end > i + 1 && end - i <= 10) {
                const QString decoded = decodedReference(markup.mid(i + 1, end - i - 1));
                if (!decoded.isEmpty()) {
                    text += decoded;
                    i = end + 1;
                    continue;
                }
            }
        }
        text += c;
        ++i;
    }
    return text;
}

bool showsMessage(const QString &readBack, const QString &message)
{
    return collapsedWhiteSpace(readBack).contains(collapsedWhiteSpace(message));
}
