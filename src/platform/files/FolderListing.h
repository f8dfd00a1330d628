// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// What a folder holds for the picker: its visible subfolders, and its
// visible plain files whose names match one of the patterns ("*.bmp;*.jpg",
// letter case ignored), links followed, each in natural order.
struct FolderContents
{
    QStringList subfolders;
    QStringList files;
};

// Reads the folder once for both lists. Throws "path not found" or
// "permission denied" when it cannot be read.
FolderContents listFolder(const QString &folder, const QString &patterns);

// Whether a file name matches one of the patterns, as the listing takes it.
bool matchesPatterns(const QString &name, const QString &patterns);

// Throws "path not found" or "permission denied" when a folder cannot be
// read.
void ensureReadableFolder(const QString &folder);

} // namespace platform
