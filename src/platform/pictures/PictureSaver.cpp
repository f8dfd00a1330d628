// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/PictureSaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/statvfs.h>

#include "platform/system/Error.h"

namespace platform {

namespace {

// The space left to the user on the file system holding `folder`, asked of
// the folder itself rather than looked up in the mount table.
qint64 bytesAvailable(const QString &folder)
{
    struct statvfs disk{};
    if (statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
}

// Why a file could not be written, as the error numbers tell it.
[[noreturn]] void raiseWriteError(const QSaveFile &file, const QString &path, qint64 size)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        raise(errc::PathNotFound, path);
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        raise(errc::PermissionDenied, path);
    const qint64 available = bytesAvailable(folder.absoluteFilePath());
    if (available >= 0 && available < size + 4096)
        raise(errc::DiskFull, path);
    raise(errc::PathFileAccess, path + QStringLiteral(" (") + file.errorString() + QLatin1Char(')'));
}

} // namespace

void savePicture(const Picture &picture, const QString &path)
{
    if (picture.isEmpty())
        raise(errc::InvalidPicture, QStringLiteral("нет рисунка для сохранения"));
    if (QFileInfo(path).isDir())
        raise(errc::PathFileAccess, path);

    const QByteArray &bytes = picture.originalBytes();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        raiseWriteError(file, path, bytes.size());
    if (file.write(bytes) != bytes.size() || !file.commit())
        raiseWriteError(file, path, bytes.size());
}

} // namespace platform
