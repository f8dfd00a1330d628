// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The names of a folder's visible plain files (no name starting with a dot,
// links followed) whose names match one of the patterns ("*.bmp;*.jpg",
// letter case ignored), in natural order.
QStringList listMatchingFiles(const QString &folder, const QString &patterns);

// The names of a folder's visible subfolders (links followed), in natural
// order.
QStringList listSubfolders(const QString &folder);

// Throws "path not found" or "permission denied" when a folder cannot be
// read.
void ensureReadableFolder(const QString &folder);

} // namespace platform
