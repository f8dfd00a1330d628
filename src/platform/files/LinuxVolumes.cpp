// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/LinuxVolumes.h"

#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include "platform/system/Error.h"

namespace platform {

namespace {

// Kernel and container file systems that hold no user files.
bool isPseudo(const QStorageInfo &storage)
{
    static const QSet<QByteArray> pseudoTypes = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "debugfs",
        "tracefs", "mqueue", "hugetlbfs", "pstore", "bpf", "fusectl", "configfs", "autofs",
        "binfmt_misc", "nsfs", "rpc_pipefs", "efivarfs", "squashfs",
    };
    const QString root = storage.rootPath();
    for (const char *system : {"/proc", "/sys", "/dev", "/run"}) {
        const QString prefix = QString::fromLatin1(system);
        if (root == prefix || root.startsWith(prefix + QLatin1Char('/')))
            return true;
    }
    return pseudoTypes.contains(storage.fileSystemType());
}

QString labelOf(const QStorageInfo &storage)
{
    if (!storage.name().isEmpty())
        return storage.name();
    return QFileInfo(QString::fromLocal8Bit(storage.device())).fileName();
}

} // namespace

QList<Volume> LinuxVolumes::mounted() const
{
    QList<Volume> volumes;
    QSet<QString> seen;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady() || isPseudo(storage))
            continue;
        // Files bind-mounted into containers are no volumes to browse.
        if (!QFileInfo(storage.rootPath()).isDir() || seen.contains(storage.rootPath()))
            continue;
        seen.insert(storage.rootPath());
        volumes.append({storage.rootPath(), labelOf(storage)});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume &a, const Volume &b) { return a.mountPath < b.mountPath; });
    return volumes;
}

void LinuxVolumes::ensureReady(const Volume &volume) const
{
    const QStorageInfo storage(volume.mountPath);
    // Once unmounted, the path belongs to the volume beneath it.
    if (!storage.isValid() || !storage.isReady() || storage.rootPath() != volume.mountPath)
        raise(errc::DeviceUnavailable, volume.mountPath);
}

} // namespace platform
