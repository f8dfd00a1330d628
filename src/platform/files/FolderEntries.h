// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace platform {

// One entry of a folder being read, named by its bytes on disk.
struct FolderEntry
{
    QByteArrayView name;
    unsigned char type; // the folder's own note of it (DT_DIR, DT_LNK, ...)
    int folder;         // the open folder, for looking at the entry

    // Links followed: a folder, a plain file (nothing else is either).
    bool isFolder() const;
    bool isFile() const;
};

// Calls `visit` with every entry of the folder but "." and "..". Throws
// "path not found" or "permission denied" when it cannot be read.
void forEachEntry(const QString &folder, const std::function<void(const FolderEntry &)> &visit);

} // namespace platform
