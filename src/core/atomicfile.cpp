#include "core/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

namespace {
QString failure(const QString &path, const QFileDevice &file, QFileDevice::FileError *errorCode)
{
    if (errorCode)
        *errorCode = file.error() == QFileDevice::NoError ? QFileDevice::WriteError : file.error();
    const QString reason = file.errorString();
    return QCoreApplication::translate("Core", "Could not write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}
} // namespace

QString writeFileAtomically(const QString &path, const QByteArray &bytes, QFileDevice::Permissions perms,
                            QFileDevice::FileError *errorCode)
{
    if (errorCode)
        *errorCode = QFileDevice::NoError;
    QSaveFile file(path);
    // Unbuffered, so that a short write shows up here: through the buffer a failed flush can go
    // unnoticed by commit() and leave a truncated file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, file, errorCode);
    if (perms && !file.setPermissions(perms)) {
        const QString error = failure(path, file, errorCode);
        file.cancelWriting();
        return error;
    }
    // A write that stops short sets no error of its own; writing the rest makes the system say
    // why (a full disk, a size limit) instead of "Unknown error".
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString error = failure(path, file, errorCode);
            file.cancelWriting();
            return error;
        }
        done += written;
    }
    if (!file.commit())
        return failure(path, file, errorCode);
    return QString();
}
