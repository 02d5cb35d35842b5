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
    // Said after a preview, copy or insert: the addresses the classic link rules left plain.
    return reports.contains(text) || text.endsWith(QLatin1String(" left as plain text: see Tools > Modern Links"));
}
