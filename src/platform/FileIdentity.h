#pragma once

#include <QString>

#include <optional>

namespace platform {

// What tells one version of a file from another: the same inode, size and
// modification time (to the nanosecond) mean the same contents.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    bool operator==(const FileIdentity &) const = default;
};

// Nothing when the file does not exist or cannot be looked at.
std::optional<FileIdentity> fileIdentity(const QString &path);

} // namespace platform
