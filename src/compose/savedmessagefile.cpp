#include "compose/savedmessagefile.h"

#include "compose/savedmessage.h"
#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/linelist.h"
#include "core/textfile.h"

#include <QCoreApplication>

namespace {

// What the entries are, said in a message when the file holds something else.
QString messagesAre()
{
    return QCoreApplication::translate("Compose", "saved messages (a message, \"|\" and its subject)");
}

QString keptAsTheyAre()
{
    return QCoreApplication::translate("Compose", "\nThe saved messages are kept as they are.");
}

const QString lineEnd = QStringLiteral("\r\n");

QString unreadable(const QString &path, const TextFileRead &read)
{
    const QString reason = read.error.isEmpty()
                               ? QCoreApplication::translate("Compose", "Could not read %1: it is missing.").arg(path)
                               : read.error;
    return reason + keptAsTheyAre();
}

} // namespace

QString appendSavedMessage(const QString &path, const QString &message, const QString &subject)
{
    const QString subjectProblem = savedSubjectProblem(subject);
    if (!subjectProblem.isEmpty())
        return subjectProblem;
    QStringList entries;
    if (fileExists(path)) {
        LineListReader reader;
        entries = reader.read(path, looksLikeSavedMessage, messagesAre());
        // Rewriting from a file we could not read would throw away every saved message.
        if (!reader.mayBeSaved())
            return reader.error() + keptAsTheyAre();
    }
    // The kept lines are not empty and the new record holds no line break, so the content has
    // no two breaks in a row to fold.
    entries.append(savedMessageLine(message, subject));
    return writeFileAtomically(path, lineListBytes(entries, EntrySpacing::Plain));
}

namespace {
// The file's lines, or why it cannot be taken for the saved messages.
TextFileRead readMessagesFile(const QString &path)
{
    TextFileRead read = readTextFile(path);
    if (read.status == TextFileRead::Read && isMostlyOdd(read.lines, looksLikeSavedMessage)) {
        read.status = TextFileRead::NotText;
        read.lines.clear();
        read.error = notAListError(path, messagesAre());
    }
    return read;
}
} // namespace

SavedMessageLines readSavedMessages(const QString &path)
{
    SavedMessageLines result;
    if (!fileExists(path))
        return result;
    const TextFileRead read = readMessagesFile(path);
    result.lines = read.lines;
    result.status = read.status == TextFileRead::Read ? SavedMessageLines::Read : SavedMessageLines::Unreadable;
    if (result.status == SavedMessageLines::Unreadable)
        result.error = unreadable(path, read);
    return result;
}

QString deleteSavedMessage(const QString &path, const QString &entry)
{
    const TextFileRead read = readMessagesFile(path);
    if (read.status != TextFileRead::Read)
        return unreadable(path, read);
    QString content;
    for (const QString &line : read.lines) {
        if (line != entry)
            content += line + lineEnd;
    }
    return writeFileAtomically(path, encodeTextFile(content + lineEnd));
}
