#include "core/datafiles.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

const QList<DataFile> &dataFiles()
{
    static const QList<DataFile> files = {
        {"htmltemp.txt", false, nullptr},
        {"messages.txt", false, nullptr},
        {"posts.txt", false, watchedPostsJournal},
        {"posts2.txt", true, nullptr},
        {"sizes.txt", false, watchedPostsJournal},
        // Post numbers are baselines a reply check can measure again: a missing file only means
        // the size rule applies, so start-up does not create it.
        {"postnumbers.txt", false, watchedPostsJournal, false},
    };
    return files;
}

QStringList startupDataFiles()
{
    QStringList names;
    for (const DataFile &file : dataFiles()) {
        if (file.createdAtStart)
            names.append(QString::fromLatin1(file.name));
    }
    return names;
}

QStringList removeStaleTempFiles(const DataFolder &dataFolder)
{
    QStringList names;
    for (const DataFile &file : dataFiles()) {
        names.append(QString::fromLatin1(file.name));
        if (file.journal && !names.contains(QString::fromLatin1(file.journal)))
            names.append(QString::fromLatin1(file.journal));
    }
    for (QString &name : names)
        name = QRegularExpression::escape(name);
    // The six random letters and digits the atomic write appends to a file's name for its
    // temporary file. A suffix of small letters only is left alone: "posts.txt.backup" is the
    // user's own.
    const QRegularExpression ours(
        QStringLiteral("^(%1)(\\.new)?\\.(?=[a-z]*[A-Z0-9])[A-Za-z0-9]{6}$").arg(names.join(QLatin1Char('|'))));
    QDir folder(dataFolder.path());
    QStringList removed;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (ours.match(entry).hasMatch() && folder.remove(entry))
            removed.append(entry);
    }
    return removed;
}

namespace {
constexpr QFileDevice::Permissions othersMay = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                               QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                               QFileDevice::WriteOther | QFileDevice::ExeOther;

// Takes every right of the group and of others away from path (through a link, from the file it
// leads to). An empty text when path is owner-only now, else why not.
QString keepToOwner(const QString &path, QFileDevice::Permissions ownerMay)
{
    const QFileInfo info(path);
    if (!info.exists() || !(info.permissions() & othersMay))
        return QString();
    if (QFile::setPermissions(path, ownerMay))
        return QString();
    return QCoreApplication::translate("Core", "Could not make %1 readable by you only: %2")
        .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

QString makeOwnerOnly(const QString &path)
{
    return keepToOwner(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString protectDataFolder(const DataFolder &folder)
{
    // The folder also keeps the browser's cookies and the reply check's copy of them.
    return keepToOwner(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList ensureDataFiles(const DataFolder &folder)
{
    removeStaleTempFiles(folder);
    QStringList errors;
    const QString folderError = protectDataFolder(folder);
    if (!folderError.isEmpty())
        errors.append(folderError);
    for (const DataFile &file : dataFiles()) {
        const QString path = folder.filePath(QString::fromLatin1(file.name));
        if (fileExists(path))
            continue;
        const QFileDevice::Permissions perms =
            file.ownerOnly ? (QFileDevice::ReadOwner | QFileDevice::WriteOwner) : QFileDevice::Permissions();
        const QString error = writeFileAtomically(path, QByteArrayLiteral("\r\n"), perms);
        if (!error.isEmpty())
            errors.append(error);
    }
    return errors;
}
