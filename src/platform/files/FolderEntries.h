// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

#include "platform/system/Paths.h"

namespace platform {

// One entry of a folder being read, named by its bytes on disk.
struct FolderEntry
{
    QByteArrayView name;
    unsigned char type; // the folder's own note of it (DT_DIR, DT_LNK, ...)
    int folder;         // the open folder, for looking at the entry

    // Links followed: a folder, a plain file, or other (a device, a pipe, a
    // link that leads nowhere: anything the lists leave out).
    PathKind kind() const;
};

// Calls `visit` with every entry of the folder but "." and "..". Throws
// "path not found" or "permission denied" when it cannot be read.
void forEachEntry(const QString &folder, const std::function<void(const FolderEntry &)> &visit);

} // namespace platform
