// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSet>

#include "platform/files/Volumes.h"
#include "platform/system/Error.h"

// Volumes as a test lays them out: real folders standing for mount points,
// some of which may be marked gone.
class FakeVolumes final : public platform::Volumes
{
public:
    QList<platform::Volume> mounted() const override { return volumes; }
    void ensureReady(const platform::Volume &volume) const override
    {
        if (gone.contains(volume.mountPath))
            platform::raise(platform::errc::DeviceUnavailable, volume.mountPath);
    }

    QList<platform::Volume> volumes{{QStringLiteral("/"), QStringLiteral("root")}};
    QSet<QString> gone; // mount paths of volumes that are not ready
};
