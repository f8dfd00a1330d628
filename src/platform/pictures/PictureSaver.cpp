// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/PictureSaver.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include "platform/system/Error.h"

namespace platform {

namespace {

// Why a file could not be written, as the error numbers tell it.
[[noreturn]] void raiseWriteError(const QSaveFile &file, const QString &path, qint64 size)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        raise(errc::PathNotFound, path);
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        raise(errc::PermissionDenied, path);
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() < size + 4096)
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
