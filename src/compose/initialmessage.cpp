#include "compose/initialmessage.h"

#include <QCoreApplication>

QString initialMessageText()
{
    // One text for the translator, its lines as they stand in the box; trailing blanks are part
    // of it. The box holds CR LF line breaks.
    QString text = QCoreApplication::translate("Compose", "Type your first message here.  \n"
                                                          "\n"
                                                          "Use plain-text, and be sure to put \n"
                                                          "http:// before your URLs.  Then go\n"
                                                          "to a message forum's posting page \n"
                                                          "and hit the \"Insert Message\" button \n"
                                                          "to insert your message \n"
                                                          "automatically!  \n"
                                                          "\n"
                                                          "You can switch between different \n"
                                                          "formatting types by changing the \n"
                                                          "value in the drop down box above.\n");
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
