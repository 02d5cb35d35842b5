#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
QString &folderOverride()
{
    static QString folder;
    return folder;
}

bool folderIsWritable(const QString &folder)
{
    // Asking the file system is the only reliable test: permissions, read-only mounts and ACLs
    // all show up as a failed create.
    QTemporaryFile probe(folder + QStringLiteral("/.threadloom-write-test-XXXXXX"));
    return probe.open();
}

} // namespace

QString chooseDataFolder(const QString &programFolder)
{
    if (!programFolder.isEmpty() && folderIsWritable(programFolder))
        return programFolder;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return userFolder;
}

QString dataFolder()
{
    QString &folder = folderOverride();
    if (folder.isEmpty())
        folder = chooseDataFolder(QCoreApplication::applicationDirPath());
    return folder;
}

QString dataFilePath(const QString &fileName)
{
    return dataFolder() + QLatin1Char('/') + fileName;
}

void setDataFolder(const QString &folder)
{
    QString cleaned = folder;
    while (cleaned.size() > 1 && cleaned.endsWith(QLatin1Char('/')))
        cleaned.chop(1);
    folderOverride() = cleaned;
}

QString fileNamePart(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

bool fileExists(const QString &path)
{
    const QString wanted = fileNamePart(path);
    if (wanted.isEmpty() || wanted.startsWith(QLatin1Char('.')))
        return false;
    if (wanted.contains(QLatin1Char('*')) || wanted.contains(QLatin1Char('?')))
        return false;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : path.left(slash));
    const QDir dir(folder);
    if (!dir.exists())
        return false;
    // The name is matched without regard to case, as a case-blind file system would.
    const QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return !name.startsWith(QLatin1Char('.'));
    }
    return false;
}
