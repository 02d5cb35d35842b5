#include "watch/answerclassifier.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

QString shownLocation(const QByteArray &location, const QString &requestUrl)
{
    const QString written = QString::fromLatin1(location).trimmed();
    const QUrl target(written);
    if (!target.isRelative())
        return written;
    QString base = requestUrl;
    if (!base.contains(QLatin1String("://")))
        base.prepend(QStringLiteral("http://"));
    const QUrl resolved = QUrl(base).resolved(target);
    return resolved.isValid() ? resolved.toString() : written;
}

} // namespace

bool isLoginAddress(const QString &url)
{
    const QString lower = QUrl(url).adjusted(QUrl::RemoveFragment).toString().toLower();
    // Only what follows the host: a forum at "login.example.org" is not a log-in page.
    const qsizetype scheme = lower.indexOf(QLatin1String("://"));
    const qsizetype pathStart = lower.indexOf(QLatin1Char('/'), scheme < 0 ? 0 : scheme + 3);
    if (pathStart < 0)
        return false;
    const QString rest = lower.mid(pathStart);
    for (const char *word : {"login", "log-in", "log_in", "signin", "sign-in", "sign_in", "logon"}) {
        if (rest.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

QString answerFailure(int statusCode, const QByteArray &reasonPhrase, const QByteArray &location,
                      const QString &requestUrl)
{
    if (statusCode >= 200 && statusCode <= 299)
        return QString();
    if (statusCode < 100 || statusCode > 999)
        return QCoreApplication::translate("Watch", "no readable answer from the web server");
    if (statusCode >= 300 && statusCode <= 399 && !location.trimmed().isEmpty()) {
        const QString target = shownLocation(location, requestUrl);
        return isLoginAddress(target) ? QCoreApplication::translate("Watch", "login needed")
                                      : QCoreApplication::translate("Watch", "moved to %1").arg(target);
    }
    const QString reason = QString::fromLatin1(reasonPhrase.left(100)).simplified();
    return reason.isEmpty() ? QString::number(statusCode) : QString::number(statusCode) + QLatin1Char(' ') + reason;
}
