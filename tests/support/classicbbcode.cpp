#include "classicbbcode.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

QString escapedText(const QString &text)
{
    QString html = text.toHtmlEscaped();
    html.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    html.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    html.replace(QLatin1Char('\n'), QStringLiteral("<br />\n"));
    return html;
}

// The target as the browser reads the href the board writes: the board encodes the blanks
// itself, so a trailing one survives the browser's trimming; the browser encodes the rest.
QString resolvedTarget(const QString &target)
{
    QString encoded = target;
    encoded.replace(QLatin1Char(' '), QStringLiteral("%20"));
    const QUrl url(encoded, QUrl::TolerantMode);
    return url.isValid() ? QString::fromLatin1(url.toEncoded()) : encoded;
}

// Long addresses shown as their own name are shortened, as the board does.
QString shortenedName(const QString &name)
{
    return name.size() > 55 ? name.left(40) + QStringLiteral("...") + name.right(10) : name;
}

bool isEmailAddress(const QString &address)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9_+.-]+@[A-Za-z0-9-]+\\.[A-Za-z0-9.-]+(\\?.*)?$"));
    return valid.match(address).hasMatch();
}

} // namespace

ClassicBbcode ClassicBbcode::parse(const QString &message)
{
    // Targets stop at a line break; a link's text may span lines.
    static const QRegularExpression tags(
        QStringLiteral("\\[url\\]([^\\r\\n]+?)\\[/url\\]|\\[url=([^\\]\\r\\n]+?)\\](.+?)\\[/url\\]|"
                       "\\[email\\]([^\\r\\n]+?)\\[/email\\]|\\[email=([^\\]\\r\\n]+?)\\](.+?)\\[/email\\]"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression scheme(QStringLiteral("^[a-z0-9]+://"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression script(QStringLiteral("^javascript:"), QRegularExpression::CaseInsensitiveOption);

    ClassicBbcode result;
    qsizetype done = 0;
    for (auto it = tags.globalMatch(message); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result.html += escapedText(message.mid(done, match.capturedStart() - done));
        done = match.capturedEnd();
        QString link;
        QString name;
        if (match.capturedLength(1) > 0 || match.capturedLength(2) > 0) {
            const bool named = match.capturedLength(2) > 0;
            QString target = match.captured(named ? 2 : 1);
            if (!script.match(target).hasMatch()) {
                if (!scheme.match(target).hasMatch())
                    target.prepend(QStringLiteral("http://"));
                link = resolvedTarget(target);
                name = named ? escapedText(match.captured(3)) : escapedText(shortenedName(target));
            }
        } else {
            const bool named = match.capturedLength(5) > 0;
            const QString address = match.captured(named ? 5 : 4);
            if (isEmailAddress(address)) {
                link = QStringLiteral("mailto:") + address;
                name = escapedText(named ? match.captured(6) : address);
            }
        }
        if (link.isEmpty()) {
            result.html += escapedText(match.captured(0));
            continue;
        }
        result.links << link;
        const QString attributes = link.startsWith(QLatin1String("mailto:"))
                                       ? QStringLiteral("class=\"mycode_email\"")
                                       : QStringLiteral("target=\"_blank\" rel=\"noopener\" class=\"mycode_url\"");
        result.html += QStringLiteral("<a href=\"%1\" %2>%3</a>").arg(link.toHtmlEscaped(), attributes, name);
    }
    result.html += escapedText(message.mid(done));
    return result;
}
