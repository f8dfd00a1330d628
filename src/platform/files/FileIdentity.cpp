// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/FileIdentity.h"

#include <sys/stat.h>

#include "platform/system/FileNames.h"

namespace platform {

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    struct stat info {};
    if (::stat(encodeFileName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
                        qint64(info.st_mtim.tv_sec), qint64(info.st_mtim.tv_nsec),
                        qint64(info.st_ctim.tv_sec), qint64(info.st_ctim.tv_nsec)};
}

} // namespace platform
