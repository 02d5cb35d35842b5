#include "servedfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool ServedFile::read(const QString &folder, const QString &relativePath, ServedFile *file)
{
    const QString root = QDir(folder).absolutePath();
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + relativePath);
    if (!path.startsWith(root + QLatin1Char('/')))
        return false;
    QFile source(path);
    if (!QFileInfo(path).isFile() || !source.open(QIODevice::ReadOnly))
        return false;
    file->body = source.readAll();
    const QString suffix = QFileInfo(path).suffix();
    file->contentType = suffix == QLatin1String("js")    ? "text/javascript; charset=utf-8"
                        : suffix == QLatin1String("css") ? "text/css; charset=utf-8"
                        : suffix == QLatin1String("svg") ? "image/svg+xml"
                        : suffix == QLatin1String("png") ? "image/png"
                                                         : "text/html; charset=utf-8";
    return true;
}
