// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/FakeVolumes.h"

#include "platform/Error.h"

void FakeVolumes::ensureReady(const platform::Volume &volume) const
{
    if (gone.contains(volume.mountPath))
        platform::raise(platform::errc::DeviceUnavailable, volume.mountPath);
}
