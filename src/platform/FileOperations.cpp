#include "platform/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include "platform/Error.h"

namespace platform {

void deleteFile(const QString &path)
{
    if (path.isEmpty())
        raise(errc::PathFileAccess, QStringLiteral("имя файла не задано"));
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        raise(info.absoluteDir().exists() ? errc::FileNotFound : errc::PathNotFound, path);
    if (info.isDir() && !info.isSymLink())
        raise(errc::PathFileAccess, path);
    if (std::remove(QFile::encodeName(path).constData()) != 0) {
        const int reason = errno;
        raise(reason == EACCES || reason == EPERM || reason == EROFS ? errc::PermissionDenied
                                                                      : errc::PathFileAccess,
              path);
    }
}

} // namespace platform
