// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace platform {

// What tells one version of a file from another: the same inode, size,
// modification and change times (to the nanosecond) mean the same contents.
// The change time cannot be set back by a program, as the modification time
// can, and it also moves when the file's permissions change.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    qint64 changedSeconds = 0;
    qint64 changedNanoseconds = 0;

    bool operator==(const FileIdentity &) const = default;
};

// Nothing when the file does not exist or cannot be looked at.
std::optional<FileIdentity> fileIdentity(const QString &path);

} // namespace platform
