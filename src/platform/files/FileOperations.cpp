// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/FileOperations.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/Error.h"
#include "platform/system/FileNames.h"
#include "platform/system/Paths.h"

namespace platform {

bool isReadOnlyFile(const QString &path)
{
    // A link is judged by itself, not by its target: deleting it leaves the
    // target alone.
    const QByteArray name = encodeFileName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || S_ISLNK(info.st_mode))
        return false;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    // A read-only file system is the folder's refusal, reported as such.
    return ::access(name.constData(), W_OK) != 0 && errno == EACCES;
}

bool isFolderForPictures(const QString &folder)
{
    static constexpr const char *ProgramFolders[] = {
        "/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/games", "/usr/local/bin", "/usr/local/sbin",
        "/usr/local/games"};
    // Compared as the real folders, links resolved (/bin is /usr/bin here).
    const auto real = [](const QByteArray &path) {
        char resolved[PATH_MAX];
        return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
    };
    if (!isFolder(folder))
        return false;
    const QByteArray chosen = real(encodeFileName(folder));
    for (const char *programs : ProgramFolders) {
        if (chosen == real(programs))
            return false;
    }
    return ::access(chosen.constData(), W_OK) == 0;
}

void deleteFile(const QString &path)
{
    if (path.isEmpty())
        raise(errc::PathFileAccess, QStringLiteral("имя файла не задано"));
    const QByteArray name = encodeFileName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        raise(isFolder(folderOf(absolutePath(path))) ? errc::FileNotFound : errc::PathNotFound, path);
    if (S_ISDIR(info.st_mode))
        raise(errc::PathFileAccess, path);
    // Refused as the desktop refuses deleting a read-only file, though the
    // folder would allow it.
    if (isReadOnlyFile(path))
        raise(errc::PathFileAccess, path);
    if (::unlink(name.constData()) != 0) {
        const int reason = errno;
        raise(reason == EACCES || reason == EPERM || reason == EROFS ? errc::PermissionDenied
                                                                      : errc::PathFileAccess,
              path);
    }
}

} // namespace platform
