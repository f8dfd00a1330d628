// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes `bytes` as the file `path`. The file appears, or replaces the one
// there (keeping its permissions; through a link, the file it leads to),
// only once it is complete and on disk, so a failure leaves the old file
// untouched and nothing half-written behind. Throws "path not found",
// "permission denied", "disk full" or "path/file access error".
void writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace platform
