#include "watch/threadaddress.h"

#include "watch/htmlattributes.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <algorithm>

namespace {

QString keyOf(const QString &parameter)
{
    return parameter.section(QLatin1Char('='), 0, 0).toLower();
}

// Parameters that hold a one-time key to a post awaiting moderation; the thread is the same
// without them, and the key stops working once the post is approved.
bool isPreviewParameter(const QString &parameter)
{
    const QString name = keyOf(parameter);
    return name == QLatin1String("unapproved") || name == QLatin1String("moderation-hash") ||
           name == QLatin1String("moderation_hash");
}

bool isThreadKey(const QString &name)
{
    return name == QLatin1String("tid") || name == QLatin1String("t") || name == QLatin1String("topic");
}

bool isPostKey(const QString &name)
{
    return name == QLatin1String("pid") || name == QLatin1String("p") || name == QLatin1String("msg");
}

bool isPlaceKey(const QString &name)
{
    return name == QLatin1String("page") || name == QLatin1String("start") || name == QLatin1String("offset");
}

bool isNumber(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Splits an address at its query: the part before it and the parameters.
QStringList splitQuery(const QString &address, QString *before)
{
    const qsizetype question = address.indexOf(QLatin1Char('?'));
    *before = question < 0 ? address : address.left(question);
    return question < 0 ? QStringList() : address.mid(question + 1).split(QLatin1Char('&'));
}

QString joinQuery(const QString &before, const QStringList &parameters)
{
    return parameters.isEmpty() ? before : before + QLatin1Char('?') + parameters.join(QLatin1Char('&'));
}

} // namespace

QString threadAddress(const QString &url)
{
    QString before;
    const QStringList parameters = splitQuery(url.section(QLatin1Char('#'), 0, 0), &before);
    if (parameters.isEmpty())
        return before;
    const bool namesThread = std::any_of(parameters.cbegin(), parameters.cend(), [](const QString &parameter) {
        return isThreadKey(keyOf(parameter)) && parameter.contains(QLatin1Char('='));
    });
    static const QRegularExpression postInThread(QStringLiteral("^(\\d+)\\.msg\\d+"),
                                                 QRegularExpression::CaseInsensitiveOption);
    QStringList kept;
    for (const QString &parameter : parameters) {
        const QString name = keyOf(parameter);
        if (isPreviewParameter(parameter) || (namesThread && isPostKey(name)))
            continue;
        const qsizetype equals = parameter.indexOf(QLatin1Char('='));
        if (isThreadKey(name) && equals > 0) {
            // "topic=12.msg34": the thread with a pointer to one of its posts.
            QString value = parameter.mid(equals + 1);
            const QRegularExpressionMatch match = postInThread.match(value);
            if (match.hasMatch()) {
                value.replace(0, match.capturedLength(), match.captured(1));
                kept.append(parameter.left(equals + 1) + value);
                continue;
            }
        }
        kept.append(parameter);
    }
    return joinQuery(before, kept);
}

QString threadKey(const QString &url)
{
    QString path;
    QStringList parameters = splitQuery(threadAddress(url), &path);
    static const QRegularExpression firstPost(QStringLiteral("^(\\d+)\\.\\d+$"));
    for (qsizetype i = parameters.size() - 1; i >= 0; --i) {
        const QString &parameter = parameters.at(i);
        const QString name = keyOf(parameter);
        const QString value = parameter.section(QLatin1Char('='), 1);
        if (isPlaceKey(name) && isNumber(value))
            parameters.removeAt(i);
        else if (isThreadKey(name) && firstPost.match(value).hasMatch())
            parameters[i] = parameter.section(QLatin1Char('='), 0, 0) + QLatin1Char('=') + value.section('.', 0, 0);
    }
    static const QRegularExpression pagePart(QStringLiteral("/(?:(?:[a-z]+[-_])*page[-_]?\\d+|page/\\d+)/*$"),
                                             QRegularExpression::CaseInsensitiveOption);
    // Not the "/" after the host: "http://f.example/page2" is a thread of its own.
    const qsizetype host = path.indexOf(QLatin1String("://"));
    const qsizetype pathStart = path.indexOf(QLatin1Char('/'), host < 0 ? 0 : host + 3);
    const QRegularExpressionMatch page = pagePart.match(path);
    if (page.hasMatch() && pathStart >= 0 && page.capturedStart() > pathStart)
        path.truncate(page.capturedStart());
    while (path.endsWith(QLatin1Char('/')) && path.size() > pathStart + 1)
        path.chop(1);
    return joinQuery(path, parameters);
}

QString canonicalLink(const QString &pageUrl, const QByteArray &markup)
{
    QByteArray href;
    forEachTag(markup, [&href](const QByteArray &tag, const TagAttributes &attributes) {
        if (!href.isEmpty() || tag != "link")
            return;
        const QList<QByteArray> rel = attributeValue(attributes, "rel").simplified().toLower().split(' ');
        if (rel.contains("canonical"))
            href = decodeReferences(attributeValue(attributes, "href").trimmed());
    });
    if (href.isEmpty())
        return QString();
    const QUrl page(pageUrl);
    QUrl canonical = page.resolved(QUrl(QString::fromUtf8(href)));
    canonical.setFragment(QString());
    const QString scheme = canonical.scheme().toLower();
    // Another host's word is none; nor is a front page, which sites misconfigured give as every
    // page's canonical link: taken at its word, it would join all their threads in one row.
    if (!canonical.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        canonical.host().compare(page.host(), Qt::CaseInsensitive) != 0 || canonical.port() != page.port() ||
        (canonical.path().size() <= 1 && !canonical.hasQuery()))
        return QString();
    return canonical.toString();
}

QString pageThreadAddress(const QString &pageUrl, const QByteArray &markup)
{
    const QString canonical = canonicalLink(pageUrl, markup);
    return threadAddress(canonical.isEmpty() ? pageUrl : canonical);
}
