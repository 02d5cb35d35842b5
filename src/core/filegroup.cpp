#include "core/filegroup.h"

#include "core/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Makes the renames in folder durable before the next step relies on them.
void syncFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
// The file a link at path leads to, through any chain of links, or path itself when it is no link
// (or a loop of links). The target need not exist: it is where the file will be made.
QString linkTarget(const QString &path)
{
    QFileInfo info(path);
    int depth = 64;
    while (info.isSymLink() && --depth > 0)
        info.setFile(info.symLinkTarget());
    return depth > 0 ? info.filePath() : path;
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}
} // namespace

FileGroup::FileGroup(const QString &folder, const QString &journalName, const QStringList &fileNames)
    : m_folder(folder)
    , m_journalName(journalName)
    , m_fileNames(fileNames)
{
}

QString FileGroup::filePath(int index) const
{
    return m_folder + QLatin1Char('/') + m_fileNames.at(index);
}

QString FileGroup::targetPath(int index) const
{
    return linkTarget(filePath(index));
}

QString FileGroup::newPath(int index) const
{
    return targetPath(index) + QStringLiteral(".new");
}

QString FileGroup::journalPath() const
{
    return m_folder + QLatin1Char('/') + m_journalName;
}

QString FileGroup::currentPath(int index) const
{
    if (QFileInfo::exists(journalPath()) && QFileInfo::exists(newPath(index)))
        return newPath(index);
    return filePath(index);
}

void FileGroup::syncFolders() const
{
    QStringList folders{m_folder};
    for (int i = 0; i < m_fileNames.size(); ++i) {
        const QString folder = folderOf(targetPath(i));
        if (!folders.contains(folder))
            folders.append(folder);
    }
    for (const QString &folder : folders)
        syncFolder(folder);
}

void FileGroup::dropNewFiles() const
{
    for (int i = 0; i < m_fileNames.size(); ++i)
        QFile::remove(newPath(i));
}

QString FileGroup::settle() const
{
    if (!QFileInfo::exists(journalPath())) {
        // An interrupted write that never committed: its new files are not all whole.
        dropNewFiles();
        return QString();
    }
    for (int i = 0; i < m_fileNames.size(); ++i) {
        if (!QFileInfo::exists(newPath(i)))
            continue; // renamed before the interruption
        // rename() replaces the old file in one step; QFile::rename would refuse to. A link stays
        // a link: the file it leads to is the one replaced.
        if (std::rename(QFile::encodeName(newPath(i)).constData(), QFile::encodeName(targetPath(i)).constData()) != 0) {
            return QCoreApplication::translate("Core", "Could not write %1: %2")
                .arg(QDir::toNativeSeparators(filePath(i)), QString::fromLocal8Bit(std::strerror(errno)));
        }
    }
    syncFolders();
    if (!QFile::remove(journalPath()) && QFileInfo::exists(journalPath()))
        return QCoreApplication::translate("Core", "Could not remove %1").arg(QDir::toNativeSeparators(journalPath()));
    syncFolder(m_folder);
    return QString();
}

QString FileGroup::write(const QList<QByteArray> &contents) const
{
    QString error = settle();
    if (!error.isEmpty())
        return error;
    for (int i = 0; i < m_fileNames.size(); ++i) {
        // The new file takes the old one's mode: the user's choice of who may read it holds.
        const QFileInfo old(targetPath(i));
        const QFileDevice::Permissions mode = old.exists() ? old.permissions() : QFileDevice::Permissions();
        error = writeFileAtomically(newPath(i), contents.value(i), mode);
        if (!error.isEmpty()) {
            dropNewFiles();
            // The user knows the file, not our staging name for it.
            return error.replace(QDir::toNativeSeparators(newPath(i)), QDir::toNativeSeparators(filePath(i)));
        }
    }
    syncFolders();
    error = writeFileAtomically(journalPath(), m_fileNames.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    if (!error.isEmpty()) {
        dropNewFiles();
        return error;
    }
    syncFolder(m_folder);
    return settle();
}
