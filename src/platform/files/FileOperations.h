// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// Whether the file is read-only: nobody may write it (whoever runs the
// program, the superuser included), or this user may not.
bool isReadOnlyFile(const QString &path);

// Whether the user may save pictures into `folder`: it exists, they may
// write there, and it is not one of the system's program folders (where an
// installed program lives; root could write there but should not).
bool isFolderForPictures(const QString &folder);

// Deletes one file. Throws "file not found", "path not found", "permission
// denied" or "path/file access error" (an empty path, a folder, a read-only
// file) when it cannot.
void deleteFile(const QString &path);

} // namespace platform
