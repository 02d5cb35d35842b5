#include "browser/replyformaddress.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace {

// A name as engines write a posting action: letters with hyphens or underscores, then perhaps a
// number ("post2") and a file extension (".php"). A thread's own name ("reply.45", a title and
// its number) is none.
bool namesPostingAction(const QString &name)
{
    static const QRegularExpression shape(QStringLiteral("^([a-z_-]+?)[0-9]*(\\.[a-z]{2,5})?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QStringList actions = {
        QStringLiteral("newreply"), QStringLiteral("newthread"), QStringLiteral("newtopic"),
        QStringLiteral("reply"),    QStringLiteral("postreply"), QStringLiteral("addreply"),
        QStringLiteral("post"),     QStringLiteral("posting"),   QStringLiteral("postthread"),
        QStringLiteral("editpost"), QStringLiteral("edit"),      QStringLiteral("compose"),
    };
    const QRegularExpressionMatch match = shape.match(name);
    if (!match.hasMatch())
        return false;
    QString word = match.captured(1).toLower();
    word.remove(QLatin1Char('-'));
    word.remove(QLatin1Char('_'));
    return actions.contains(word);
}

} // namespace

bool isReplyFormAddress(const QUrl &url)
{
    const QStringList segments = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!segments.isEmpty() && namesPostingAction(segments.last()))
        return true;
    // Some engines part their parameters with ";" (index.php?action=post;topic=12.0).
    QString query = url.query(QUrl::FullyDecoded);
    query.replace(QLatin1Char(';'), QLatin1Char('&'));
    const QList<QPair<QString, QString>> items = QUrlQuery(query).queryItems(QUrl::FullyDecoded);
    for (const auto &[key, value] : items) {
        const QString name = key.toLower();
        if ((name == QLatin1String("action") || name == QLatin1String("mode") || name == QLatin1String("do")) &&
            namesPostingAction(value))
            return true;
    }
    return false;
}
