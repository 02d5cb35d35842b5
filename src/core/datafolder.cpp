#include "core/datafolder.h"

#include "core/buildinfo.h"
#include "core/datafiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
bool folderIsWritable(const QString &folder)
{
    // Asking the file system is the only reliable test: permissions, read-only mounts and ACLs
    // all show up as a failed create.
    QTemporaryFile probe(folder + QStringLiteral("/.threadloom-write-test-XXXXXX"));
    return probe.open();
}

bool holdsDataFiles(const QString &folder)
{
    const QStringList names = startupDataFiles();
    for (const QString &name : names) {
        if (QFileInfo(folder + QLatin1Char('/') + name).isFile())
            return true;
    }
    return false;
}

} // namespace

QString chooseDataFolder(const QString &programFolder)
{
    if (!programFolder.isEmpty() && holdsDataFiles(programFolder) && folderIsWritable(programFolder))
        return programFolder;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return userFolder;
}

DataFolder::DataFolder(const QString &path)
    : m_path(path)
{
    while (m_path.size() > 1 && m_path.endsWith(QLatin1Char('/')))
        m_path.chop(1);
}

QString DataFolder::filePath(const QString &fileName) const
{
    return m_path + QLatin1Char('/') + fileName;
}

QString helpFilePath(const QString &dataFolder, const QString &programFolder)
{
    const QString name = QStringLiteral("Help.rtf");
    const QString inDataFolder = dataFolder + QLatin1Char('/') + name;
    if (fileExists(inDataFolder))
        return inDataFolder;
    if (programFolder.isEmpty())
        return inDataFolder;
    const QString besideProgram = programFolder + QLatin1Char('/') + name;
    if (fileExists(besideProgram))
        return besideProgram;
    const QString shared =
        QDir::cleanPath(programFolder + QStringLiteral("/" THREADLOOM_SHARED_DATA_FROM_PROGRAM "/") + name);
    return fileExists(shared) ? shared : inDataFolder;
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
