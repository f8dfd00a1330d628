// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSet>

#include <atomic>

#include "platform/files/Volumes.h"
#include "platform/system/Error.h"
#include "support/StalledReads.h"

// Volumes as a test lays them out: real folders standing for mount points,
// some of which may be marked gone. Listings of folders a test stalls, and
// the mount table when it stalls MountTable, wait as on a dead network
// share.
class FakeVolumes final : public platform::Volumes
{
public:
    static inline const QString MountTable = QStringLiteral("mount table");

    QList<platform::Volume> mounted() const override
    {
        const InCall call(inCalls);
        stalls.pass(MountTable);
        return volumes;
    }
    platform::FolderContents contents(const QString &folder, const QString &patterns) const override
    {
        const InCall call(inCalls);
        stalls.pass(folder);
        return platform::listFolder(folder, patterns);
    }
    void ensureReady(const platform::Volume &volume) const override
    {
        if (gone.contains(volume.mountPath))
            platform::raise(platform::errc::DeviceUnavailable, volume.mountPath);
    }

    QList<platform::Volume> volumes{{QStringLiteral("/"), QStringLiteral("root")}};
    QSet<QString> gone; // mount paths of volumes that are not ready
    StalledReads stalls;
    // Calls running on workers, which must end before the volumes go.
    mutable std::atomic_int inCalls = 0;

private:
    struct InCall
    {
        explicit InCall(std::atomic_int &n) : n(n) { ++n; }
        ~InCall() { --n; }
        std::atomic_int &n;
    };
};
