#include "platform/PictureSaver.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include "platform/Error.h"

namespace platform {

namespace {

[[noreturn]] void raiseWriteError(const QSaveFile &file, const QString &path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        raise(errc::PathNotFound, path);
    if (info.isDir())
        raise(errc::PathFileAccess, path);
    if (file.error() == QFileDevice::PermissionsError)
        raise(errc::PermissionDenied, path);
    const QStorageInfo storage(info.absolutePath());
    if (file.error() == QFileDevice::WriteError || file.error() == QFileDevice::ResourceError) {
        if (storage.isValid() && storage.bytesAvailable() < qint64(file.size()) + 4096)
            raise(errc::DiskFull, path);
    }
    raise(errc::PathFileAccess, path + QStringLiteral(" (") + file.errorString() + QLatin1Char(')'));
}

} // namespace

void savePicture(const Picture &picture, const QString &path)
{
    if (picture.isEmpty())
        raise(errc::InvalidPicture, QStringLiteral("нет рисунка для сохранения"));
    if (QFileInfo(path).isDir())
        raise(errc::PathFileAccess, path);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        raiseWriteError(file, path);
    const QByteArray &bytes = picture.originalBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        raiseWriteError(file, path);
}

} // namespace platform
