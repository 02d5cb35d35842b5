#pragma once

#include <QByteArray>
#include <QString>

// A file a loopback server serves from a folder: its bytes and the type to send them as.
struct ServedFile
{
    QByteArray body;
    QByteArray contentType;

    // The file at relativePath inside folder; false when there is none or it would lie outside.
    static bool read(const QString &folder, const QString &relativePath, ServedFile *file);
};
