#include "compose/savedmessagefile.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/textfile.h"
#include "compose/savedmessage.h"

#include <QCoreApplication>

namespace {

const QString lineEnd = QStringLiteral("\r\n");

QString unreadable(const QString &path)
{
    return QCoreApplication::translate("SavedMessages", "Could not read %1.").arg(path);
}

} // namespace

QString savedMessagesPath()
{
    return dataFilePath(QStringLiteral("messages.txt"));
}

QString appendSavedMessage(const QString &message, const QString &subject)
{
    const QString path = savedMessagesPath();
    QString content;
    if (fileExists(path)) {
        bool ok = false;
        const QStringList lines = readTextLines(path, &ok);
        // Rewriting from a file we could not read would throw away every saved message.
        if (!ok)
            return unreadable(path);
        for (const QString &line : lines) {
            if (!line.isEmpty() && line != QStringLiteral(" "))
                content += line + lineEnd;
        }
    }
    // The kept lines are not empty and the new record holds no line break, so the content has
    // no two breaks in a row to fold.
    content += savedMessageLine(message, subject);
    return writeFileAtomically(path, encodeText(content + lineEnd));
}

SavedMessageLines readSavedMessages()
{
    SavedMessageLines result;
    const QString path = savedMessagesPath();
    if (!fileExists(path))
        return result;
    bool ok = false;
    result.lines = readTextLines(path, &ok);
    result.status = ok ? SavedMessageLines::Read : SavedMessageLines::Unreadable;
    if (!ok)
        result.error = unreadable(path);
    return result;
}

QString deleteSavedMessage(const QString &entry)
{
    const QString path = savedMessagesPath();
    bool ok = false;
    const QStringList lines = readTextLines(path, &ok);
    if (!ok)
        return unreadable(path);
    QString content;
    for (const QString &line : lines) {
        if (line != entry)
            content += line + lineEnd;
    }
    return writeFileAtomically(path, encodeText(content + lineEnd));
}
