#include "core/datafiles.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"

#include <QDir>
#include <QRegularExpression>

QStringList startupDataFiles()
{
    return {QStringLiteral("htmltemp.txt"), QStringLiteral("messages.txt"), QStringLiteral("posts.txt"),
            QStringLiteral("posts2.txt"), QStringLiteral("sizes.txt")};
}

QStringList removeStaleTempFiles()
{
    QStringList names = startupDataFiles();
    names.append(QStringLiteral("posts.journal"));
    names.append(QStringLiteral("postnumbers.txt"));
    for (QString &name : names)
        name = QRegularExpression::escape(name);
    // The six random letters and digits the atomic write appends to a file's name for its
    // temporary file. A suffix of small letters only is left alone: "posts.txt.backup" is the
    // user's own.
    const QRegularExpression ours(
        QStringLiteral("^(%1)(\\.new)?\\.(?=[a-z]*[A-Z0-9])[A-Za-z0-9]{6}$").arg(names.join(QLatin1Char('|'))));
    QDir folder(dataFolder());
    QStringList removed;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (ours.match(entry).hasMatch() && folder.remove(entry))
            removed.append(entry);
    }
    return removed;
}

QStringList ensureDataFiles()
{
    removeStaleTempFiles();
    QStringList errors;
    const QStringList names = startupDataFiles();
    for (const QString &name : names) {
        const QString path = dataFilePath(name);
        if (fileExists(path))
            continue;
        // posts2.txt holds passwords: only its owner may read it.
        const QFileDevice::Permissions perms = name == QLatin1String("posts2.txt")
                                                   ? (QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                                                   : QFileDevice::Permissions();
        const QString error = writeFileAtomically(path, QByteArrayLiteral("\r\n"), perms);
        if (!error.isEmpty())
            errors.append(error);
    }
    return errors;
}
