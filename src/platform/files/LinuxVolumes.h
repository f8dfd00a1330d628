// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/files/Volumes.h"

namespace platform {

// The volumes of a Linux machine, from the mount table.
class LinuxVolumes final : public Volumes
{
public:
    QList<Volume> mounted() const override;
    void ensureReady(const Volume &volume) const override;
};

} // namespace platform
