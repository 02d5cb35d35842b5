#include "compose/initialmessage.h"

#include <QStringList>

QString initialMessageText()
{
    // Trailing blanks are part of the text.
    static const QStringList lines = {
        QStringLiteral("Type your first message here.  "),
        QString(),
        QStringLiteral("Use plain-text, and be sure to put "),
        QStringLiteral("http:// before your URLs.  Then go"),
        QStringLiteral("to a message forum's posting page "),
        QStringLiteral("and hit the \"Insert Message\" button "),
        QStringLiteral("to insert your message "),
        QStringLiteral("automatically!  "),
        QString(),
        QStringLiteral("You can switch between different "),
        QStringLiteral("formatting types by changing the "),
        QStringLiteral("value in the drop down box above."),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}
