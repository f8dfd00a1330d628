// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/Paths.h"

#include <QDir>

#include <climits>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/FileNames.h"

namespace platform {

PathKind pathKind(const QString &path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(encodeFileName(path).constData(), &info) != 0)
        return PathKind::Missing;
    if (S_ISDIR(info.st_mode))
        return PathKind::Folder;
    return S_ISREG(info.st_mode) ? PathKind::File : PathKind::Other;
}

bool nameExists(const QString &path)
{
    struct stat info {};
    return !path.isEmpty() && ::lstat(encodeFileName(path).constData(), &info) == 0;
}

QString currentFolder()
{
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return {};
    return decodeFileName(buffer);
}

bool enterFolder(const QString &folder)
{
    return !folder.isEmpty() && ::chdir(encodeFileName(folder).constData()) == 0;
}

QString absolutePath(const QString &path)
{
    // QDir::cleanPath works on the text only, escapes included.
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    return QDir::cleanPath(currentFolder() + QLatin1Char('/') + path);
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace platform
