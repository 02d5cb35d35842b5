#include "watch/threadaddress.h"

#include <QStringList>

namespace {

// Parameters that hold a one-time key to a post awaiting moderation; the thread is the same
// without them, and the key stops working once the post is approved.
bool isPreviewParameter(const QString &parameter)
{
    const QString name = parameter.section(QLatin1Char('='), 0, 0).toLower();
    return name == QLatin1String("unapproved") || name == QLatin1String("moderation-hash") ||
           name == QLatin1String("moderation_hash");
}

} // namespace

QString threadAddress(const QString &url)
{
    QString address = url.section(QLatin1Char('#'), 0, 0);
    const qsizetype question = address.indexOf(QLatin1Char('?'));
    if (question < 0)
        return address;
    QStringList kept;
    const QStringList parameters = address.mid(question + 1).split(QLatin1Char('&'));
    for (const QString &parameter : parameters) {
        if (!isPreviewParameter(parameter))
            kept.append(parameter);
    }
    address.truncate(question);
    if (!kept.isEmpty())
        address += QLatin1Char('?') + kept.join(QLatin1Char('&'));
    return address;
}
