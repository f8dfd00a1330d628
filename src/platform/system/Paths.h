// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// The few questions the program asks about a path, with the name encoded
// by encodeFileName, so every name on disk can be asked about.

enum class PathKind { Missing, Folder, File, Other };

// What the path names, links followed: a folder, a plain file, anything
// else (a device, a pipe), or nothing (also when it cannot be looked at).
PathKind pathKind(const QString &path);
inline bool isFolder(const QString &path) { return pathKind(path) == PathKind::Folder; }

// Whether the name itself is there: a link whose target is gone counts.
bool nameExists(const QString &path);

// The process's current folder; empty when it has none any more (deleted)
// or its path is beyond the system's length limit.
QString currentFolder();
// Makes `folder` the current one; false when it cannot be entered.
bool enterFolder(const QString &folder);

// On the text alone: the path made absolute against the current folder,
// cleaned of "." and ".." and doubled separators.
QString absolutePath(const QString &path);
// On the text alone: the folder a path is in ("/" for one in the root, "."
// for a bare name) and its last component.
QString folderOf(const QString &path);
QString fileNameOf(const QString &path);

} // namespace platform
