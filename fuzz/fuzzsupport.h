#pragma once

#include "core/datafolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// A data folder of its own for the whole fuzzing run, in memory when the system has a place for
// it: every save syncs to disk, which would make a disk the bottleneck.
inline const DataFolder &useFuzzDataFolder()
{
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm/threadloom-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/threadloom-fuzz-XXXXXX"));
    if (!folder.isValid())
        std::abort();
    static const DataFolder data(folder.path());
    return data;
}

// A file of that folder.
inline QString fuzzDataFile(const QString &name)
{
    return useFuzzDataFolder().filePath(name);
}

inline void writeDataFile(const QString &name, const QByteArray &bytes)
{
    QFile file(fuzzDataFile(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// Splits one input in two at its first NUL byte (the second part is empty when there is none).
inline QByteArray firstPart(const uint8_t *data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype nul = all.indexOf('\0');
    return nul < 0 ? all : all.left(nul);
}
inline QByteArray secondPart(const uint8_t *data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype nul = all.indexOf('\0');
    return nul < 0 ? QByteArray() : all.mid(nul + 1);
}

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            std::abort();                                                                                              \
    } while (false)
