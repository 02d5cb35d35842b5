#include "compose/savedmessage.h"

#include "core/crlf.h"

#include <QCoreApplication>

namespace {
const QString lineBreak = QStringLiteral("\r\n");
const QString breakMarker = QStringLiteral("[br]");
} // namespace

QString savedMessageLine(const QString &message, const QString &subject)
{
    // Any line break left in the record would split it into two lines of the file, and the
    // second would load as a message of its own: the message's breaks become markers, and a
    // break in the subject (only a pasted or stored one can get there) becomes a blank.
    QString body = toCrLf(message);
    body.replace(lineBreak, breakMarker);
    QString title = toCrLf(subject);
    title.replace(lineBreak, QStringLiteral(" "));
    return body + QLatin1Char('|') + title;
}

QString savedSubjectProblem(const QString &subject)
{
    if (!subject.contains(QLatin1Char('|')))
        return QString();
    return QCoreApplication::translate(
        "Compose", "The message was not saved: a subject cannot hold \"|\", which separates the subject "
                   "from the message in the saved messages. Please replace it and save again.");
}

SavedMessage parseSavedMessageLine(const QString &line)
{
    SavedMessage saved;
    const qsizetype bar = line.lastIndexOf(QLatin1Char('|'));
    saved.message = bar < 0 ? line : line.left(bar);
    saved.message.replace(breakMarker, lineBreak, Qt::CaseInsensitive);
    if (bar >= 0) {
        saved.subject = line.mid(bar + 1);
        saved.hasSubject = true;
    }
    return saved;
}
