// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/FolderOpening.h"

#include <QDir>

#include "platform/system/Error.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

QString folderFor(const Volumes &reader, const QList<Volume> &volumes, const FolderRequest &request)
{
    for (const Volume &volume : volumes) {
        if (driveText(volume) != request.pathOrDrive)
            continue;
        reader.ensureReady(volume);
        const QString last = request.lastFolderOnVolume.value(volume.mountPath);
        if (!last.isEmpty() && isFolder(last))
            return last;
        return QDir::cleanPath(volume.mountPath);
    }
    // A drive text whose volume is no longer mounted names a device gone.
    const QString &text = request.pathOrDrive;
    const QString folder = text.startsWith(QLatin1Char('/'))
        ? QDir::cleanPath(text)
        : QDir::cleanPath(request.openFolder + QLatin1Char('/') + text);
    if (leadingPath(text) != text && !isFolder(folder))
        raise(errc::DeviceUnavailable, text);
    return folder;
}

} // namespace

void openFolder(const Volumes &volumes, const FolderRequest &request, OpenedFolder &opened)
{
    // The mount table is read once per opening: a slow network mount makes
    // each reading cost.
    opened.volumes = volumes.mounted();
    opened.folder = folderFor(volumes, opened.volumes, request);
    opened.contents = volumes.contents(opened.folder, request.filePatterns);
}

} // namespace platform
