#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Replaces the file at path with bytes in one step: the old content stays whole until the new one
// is safely on disk. Returns an empty text on success, else a message that names the file and the
// system's reason. perms, when given, are applied to the new file (posts2.txt holds passwords).
// errorCode, when given, receives the file error (NoError on success).
QString writeFileAtomically(const QString &path, const QByteArray &bytes, QFileDevice::Permissions perms = {},
                            QFileDevice::FileError *errorCode = nullptr);
