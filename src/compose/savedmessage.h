#pragma once

#include <QString>

// One line of messages.txt: the message with its line breaks written as "[br]", a "|", the
// subject. Neither marker is escaped, so a "|" or "[br]" the user typed reads back as the format's
// own.
struct SavedMessage
{
    QString message; // with CR LF line breaks
    QString subject;
    bool hasSubject = false; // whether the line held a "|" at all
};

QString savedMessageLine(const QString &message, const QString &subject);
// Splits a line at every "|": the first piece is the message (any "[br]", in any letter case,
// becomes CR LF), the second, when there is one, the subject; further pieces are ignored.
SavedMessage parseSavedMessageLine(const QString &line);
