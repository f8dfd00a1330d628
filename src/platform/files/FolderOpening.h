// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include "platform/files/FolderListing.h"
#include "platform/files/Volumes.h"

namespace platform {

// What the folder list asks for when it opens a folder: everything it needs
// to know, copied, so the opening can run away from the window.
struct FolderRequest
{
    QString pathOrDrive;
    QString openFolder; // what a relative path is taken against
    QHash<QString, QString> lastFolderOnVolume;
    QString filePatterns;
};

// A folder opened and read, with the mount table as it was then.
struct OpenedFolder
{
    QString folder; // clean
    FolderContents contents;
    QList<Volume> volumes;
};

// Finds the folder a path or drive text names and reads it. A drive text
// opens the folder last opened on that volume, else its root. Throws
// "device unavailable" for a volume that is gone, "path not found" or
// "permission denied" for a folder that cannot be read; the mount table is
// in `opened` even then. Every step may wait on a disk: it runs on a worker.
void openFolder(const Volumes &volumes, const FolderRequest &request, OpenedFolder &opened);

} // namespace platform
