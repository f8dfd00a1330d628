// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/Error.h"

namespace platform {

bool isReadOnlyFile(const QString &path)
{
    // A link is judged by itself, not by its target: deleting it leaves the
    // target alone.
    const QByteArray name = QFile::encodeName(path);
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
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty() || !QFileInfo(real).isDir())
        return false;
    for (const char *programs : ProgramFolders) {
        if (real == QFileInfo(QString::fromLatin1(programs)).canonicalFilePath())
            return false;
    }
    return ::access(QFile::encodeName(real).constData(), W_OK) == 0;
}

void deleteFile(const QString &path)
{
    if (path.isEmpty())
        raise(errc::PathFileAccess, QStringLiteral("имя файла не задано"));
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        raise(info.absoluteDir().exists() ? errc::FileNotFound : errc::PathNotFound, path);
    if (info.isDir() && !info.isSymLink())
        raise(errc::PathFileAccess, path);
    // Refused as the desktop refuses deleting a read-only file, though the
    // folder would allow it.
    if (isReadOnlyFile(path))
        raise(errc::PathFileAccess, path);
    if (std::remove(QFile::encodeName(path).constData()) != 0) {
        const int reason = errno;
        raise(reason == EACCES || reason == EPERM || reason == EROFS ? errc::PermissionDenied
                                                                      : errc::PathFileAccess,
              path);
    }
}

} // namespace platform
