#include "compose/outgoingtext.h"

QString outgoingText(const QString &message)
{
    return message + QStringLiteral("\r\n\r\n");
}
