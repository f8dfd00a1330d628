// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/PictureFile.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/pictures/Prefault.h"
#include "platform/system/Error.h"
#include "platform/system/FileNames.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

// Opens for reading without waiting: a pipe or a device put in the file's
// place after any check by name would otherwise block the open.
int openWithoutWaiting(const QString &path)
{
    return ::open(encodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

// Opens a picture file for reading; anything but a plain file is refused
// once open.
void openPlainFile(const QString &path, QFile &file)
{
    if (pathKind(path) == PathKind::Missing)
        raise(isFolder(folderOf(absolutePath(path))) ? errc::FileNotFound : errc::PathNotFound, path);
    const int fd = openWithoutWaiting(path);
    if (fd < 0)
        raise(errno == EACCES || errno == EPERM ? errc::PermissionDenied : errc::PathFileAccess, path);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        raise(errc::PathFileAccess, path);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        raise(errc::PathFileAccess, path);
    }
}

QByteArray readUpTo(QFile &file, const QString &path, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    prefault(bytes.data(), std::size_t(bytes.size()));
    const qint64 got = file.read(bytes.data(), bytes.size());
    if (got < 0 || file.error() != QFileDevice::NoError)
        raise(errc::PathFileAccess, path);
    bytes.resize(got); // the file may have shrunk meanwhile
    return bytes;
}

} // namespace

QByteArray readPictureFile(const QString &path)
{
    QFile file;
    openPlainFile(path, file);
    if (file.size() > MaxPictureFileBytes)
        raise(errc::OutOfMemory, path);
    return readUpTo(file, path, file.size());
}

QByteArray readPictureFileStart(const QString &path, qint64 bytes)
{
    QFile file;
    openPlainFile(path, file);
    return readUpTo(file, path, qMin(bytes, file.size()));
}

bool canOpenForReading(const QString &path)
{
    const int fd = openWithoutWaiting(path);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace platform
