// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/StartFolder.h"

#include <QDir>

#include <climits>

#include "platform/system/FileNames.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

bool canEnter(const QString &folder)
{
    return encodeFileName(folder).size() < PATH_MAX && isFolder(folder) && enterFolder(folder);
}

} // namespace

QString enterStartFolder()
{
    const QString current = currentFolder();
    if (!current.isEmpty() && canEnter(current))
        return current;
    // A folder that is gone has no path of its own any more; the shell's
    // note of it still tells where it was.
    QString folder = QDir::cleanPath(current.isEmpty() ? decodeFileName(qgetenv("PWD")) : current);
    if (!folder.startsWith(QLatin1Char('/')))
        folder = QStringLiteral("/");
    while (folder != QLatin1String("/") && !canEnter(folder))
        folder = folderOf(folder);
    if (folder == QLatin1String("/") && !canEnter(folder))
        return currentFolder();
    return folder;
}

} // namespace platform
