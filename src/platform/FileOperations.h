#pragma once

#include <QString>

namespace platform {

// Deletes one file. Throws "file not found", "path not found", "permission
// denied" or "path/file access error" (an empty path, a folder) when it
// cannot.
void deleteFile(const QString &path);

} // namespace platform
