// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/StartFolder.h"

#include <QDir>
#include <QFile>

#include <climits>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool canEnter(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat info {};
    return name.size() < PATH_MAX && ::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && ::chdir(name.constData()) == 0;
}

QString parentOf(const QString &folder)
{
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    return slash > 0 ? folder.left(slash) : QStringLiteral("/");
}

} // namespace

QString enterStartFolder()
{
    const QString current = QDir::currentPath();
    if (!current.isEmpty() && canEnter(current))
        return current;
    // A folder that is gone has no path of its own any more; the shell's
    // note of it still tells where it was.
    QString folder = QDir::cleanPath(current.isEmpty() ? qEnvironmentVariable("PWD") : current);
    if (!folder.startsWith(QLatin1Char('/')))
        folder = QStringLiteral("/");
    while (folder != QLatin1String("/") && !canEnter(folder))
        folder = parentOf(folder);
    if (folder == QLatin1String("/") && !canEnter(folder))
        return QDir::currentPath();
    return folder;
}

} // namespace platform
