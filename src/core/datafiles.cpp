#include "core/datafiles.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"

QStringList startupDataFiles()
{
    return {QStringLiteral("htmltemp.txt"), QStringLiteral("messages.txt"), QStringLiteral("posts.txt"),
            QStringLiteral("posts2.txt"), QStringLiteral("sizes.txt")};
}

QStringList ensureDataFiles()
{
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
