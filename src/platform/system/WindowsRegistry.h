// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/system/Registry.h"

namespace platform {

// The real registry, through advapi32 (Windows builds only).
class WindowsRegistry final : public Registry
{
public:
    long openKey(Key root, const QByteArray &subKey, unsigned options, unsigned access,
                 Key &result) override;
    long queryValue(Key key, const QByteArray &valueName, unsigned &type, char *buffer,
                    unsigned &size) override;
    long closeKey(Key key) override;
};

} // namespace platform
