#include "platform/PictureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/Error.h"

namespace platform {

QByteArray readPictureFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        const bool folderExists = info.absoluteDir().exists();
        raise(folderExists ? errc::FileNotFound : errc::PathNotFound, path);
    }
    // Folders, pipes and devices are no picture files, and reading a pipe
    // could wait forever.
    if (!info.isFile())
        raise(errc::PathFileAccess, path);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raise(file.error() == QFileDevice::PermissionsError ? errc::PermissionDenied
                                                            : errc::PathFileAccess,
              path);
    if (file.size() > MaxPictureFileBytes)
        raise(errc::OutOfMemory, path);

    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        raise(errc::PathFileAccess, path);
    return bytes;
}

} // namespace platform
