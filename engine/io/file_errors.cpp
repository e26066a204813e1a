// SPDX-License-Identifier: MIT
#include "engine/io/file_errors.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace urdiva {

QString inputFileErrorText(int errorNumber, const QString& path)
{
    switch (errorNumber) {
    case ENOENT:
        // A missing folder on the way is a bad name rather than a missing file.
        if (!path.isEmpty() && QFileInfo(path).absoluteDir().exists())
            return QStringLiteral("File not found");
        return QStringLiteral("Invalid filename");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return QStringLiteral("Invalid filename");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many open files");
    case EACCES:
    case EPERM:
    case EISDIR:
        return QStringLiteral("File access denied");
    default:
        return QStringLiteral("I/O error %1").arg(errorNumber);
    }
}

} // namespace urdiva
