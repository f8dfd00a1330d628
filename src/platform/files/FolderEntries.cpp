// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/FolderEntries.h"

#include <QByteArray>

#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/system/Error.h"
#include "platform/system/FileNames.h"

namespace platform {

namespace {

// The type of the entry, looked up only when the folder's own note cannot
// tell it (a link, or a file system that keeps no types), so a folder of
// 100,000 pictures costs no stat per entry.
mode_t typeOf(const FolderEntry &entry)
{
    switch (entry.type) {
    case DT_DIR: return S_IFDIR;
    case DT_REG: return S_IFREG;
    case DT_LNK:
    case DT_UNKNOWN: break;
    default: return 0;
    }
    struct stat info {};
    // The view is of the entry's own name, which ends in a NUL.
    if (::fstatat(entry.folder, entry.name.data(), &info, 0) != 0)
        return 0;
    return info.st_mode & S_IFMT;
}

} // namespace

PathKind FolderEntry::kind() const
{
    switch (typeOf(*this)) {
    case S_IFDIR: return PathKind::Folder;
    case S_IFREG: return PathKind::File;
    default: return PathKind::Other;
    }
}

void forEachEntry(const QString &folder, const std::function<void(const FolderEntry &)> &visit)
{
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(encodeFileName(folder).constData()),
                                                   ::closedir);
    if (!dir)
        raise(errno == EACCES || errno == EPERM ? errc::PermissionDenied : errc::PathNotFound, folder);
    const int fd = ::dirfd(dir.get());
    while (const dirent *entry = ::readdir(dir.get())) {
        const QByteArrayView name(entry->d_name);
        if (name != "." && name != "..")
            visit(FolderEntry{name, entry->d_type, fd});
    }
}

} // namespace platform
