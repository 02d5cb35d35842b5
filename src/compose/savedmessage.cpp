#include "compose/savedmessage.h"

#include "core/crlf.h"

#include <QStringList>

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

SavedMessage parseSavedMessageLine(const QString &line)
{
    const QStringList pieces = line.split(QLatin1Char('|'));
    SavedMessage saved;
    saved.message = pieces.first();
    saved.message.replace(breakMarker, lineBreak, Qt::CaseInsensitive);
    if (pieces.size() > 1) {
        saved.subject = pieces.at(1);
        saved.hasSubject = true;
    }
    return saved;
}
