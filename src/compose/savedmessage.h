#pragma once

#include <QString>

// One line of messages.txt: the message with its line breaks written as "[br]", a "|", the
// subject. The subject is what follows the last "|", so a "|" in the message survives; a subject
// cannot hold one. A "[br]" typed in the message stays the format's line break, as it always was.
struct SavedMessage
{
    QString message; // with CR LF line breaks
    QString subject;
    bool hasSubject = false; // whether the line held a "|" at all
};

QString savedMessageLine(const QString &message, const QString &subject);
// Why this subject cannot be saved, or an empty text when it can.
QString savedSubjectProblem(const QString &subject);
// Splits a line at its last "|": before it the message (any "[br]", in any letter case, becomes
// CR LF), after it the subject. A line without "|" is all message. Lines holding one "|" read as
// they always did.
SavedMessage parseSavedMessageLine(const QString &line);
