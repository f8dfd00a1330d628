// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/AtomicWrite.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/system/Error.h"
#include "platform/system/FileNames.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

// A link is written through, so it goes on leading to the new contents.
QString fileBehind(const QString &path)
{
    const QByteArray name = encodeFileName(path);
    struct stat info {};
    char real[PATH_MAX];
    if (::lstat(name.constData(), &info) == 0 && S_ISLNK(info.st_mode)
        && ::realpath(name.constData(), real))
        return decodeFileName(real);
    return path;
}

// The space left to the user on the file system holding `folder`, asked of
// the folder itself rather than looked up in the mount table.
qint64 bytesAvailable(const QString &folder)
{
    struct statvfs disk {};
    if (::statvfs(encodeFileName(folder).constData(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
}

// Why the file could not be written, as the error numbers tell it.
[[noreturn]] void raiseWriteError(const QString &path, const QString &folder, qint64 size,
                                  int reason)
{
    if (!isFolder(folder))
        raise(errc::PathNotFound, path);
    if (reason == EACCES || reason == EPERM || reason == EROFS)
        raise(errc::PermissionDenied, path);
    const qint64 available = bytesAvailable(folder);
    if (reason == ENOSPC || reason == EDQUOT || (available >= 0 && available < size + 4096))
        raise(errc::DiskFull, path);
    raise(errc::PathFileAccess,
          path + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(reason)) + QLatin1Char(')'));
}

// A new file of our own beside the target, hidden from the picker by its
// leading dot.
int createTemporary(const QString &folder, mode_t mode, QByteArray &name)
{
    const QByteArray stem = encodeFileName(folder) + "/.lumarin-" + QByteArray::number(::getpid());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        name = stem + '-' + QByteArray::number(attempt);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (wrote > 0)
            done += wrote;
        else if (wrote == 0 || errno != EINTR)
            return false;
    }
    return true;
}

} // namespace

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QString target = fileBehind(path);
    const QByteArray name = encodeFileName(target);
    const QString folder = folderOf(target);
    struct stat old {};
    const bool replacing = ::stat(name.constData(), &old) == 0;
    if (replacing && ::access(name.constData(), W_OK) != 0)
        raiseWriteError(path, folder, bytes.size(), errno);

    // A new file gets 0666 less the umask, as any program's would; a
    // replaced one keeps its own permissions.
    QByteArray temporary;
    const int fd = createTemporary(folder, replacing ? 0600 : 0666, temporary);
    if (fd < 0)
        raiseWriteError(path, folder, bytes.size(), errno);
    int reason = 0;
    if ((replacing && ::fchmod(fd, old.st_mode & 07777) != 0) || !writeAll(fd, bytes)
        || ::fsync(fd) != 0)
        reason = errno;
    if (::close(fd) != 0 && reason == 0)
        reason = errno;
    if (reason == 0 && ::rename(temporary.constData(), name.constData()) != 0)
        reason = errno;
    if (reason == 0)
        return;
    ::unlink(temporary.constData());
    raiseWriteError(path, folder, bytes.size(), reason);
}

} // namespace platform
