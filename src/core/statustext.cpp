#include "core/statustext.h"

#include <QStringList>

bool statusClearsItself(const QString &text)
{
    static const QStringList reports = {
        QStringLiteral("MESSAGE SAVED"),
        QStringLiteral("Message inserted"),
        QStringLiteral("Message copied"),
        QStringLiteral("Watching this thread"),
        QStringLiteral("Nothing pasted: click into a field of the page first"),
        QStringLiteral("Pasted"),
    };
    return reports.contains(text);
}
