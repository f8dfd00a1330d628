// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>

#include "platform/system/Registry.h"

namespace platform {

// A read-only stand-in for the registry on Linux. It holds one value: the
// system-information tool's location ("SOFTWARE\Microsoft\Shared
// Tools\MSINFO", "PATH"), the full path of the first of these programs found
// on PATH: hardinfo2, hardinfo, kinfocenter, lshw-gtk. Nothing else exists
// in it, and it cannot be opened for writing.
class LinuxRegistry final : public Registry
{
public:
    static const QStringList SystemInfoPrograms;

    long openKey(Key root, const QByteArray &subKey, unsigned options, unsigned access,
                 Key &result) override;
    long queryValue(Key key, const QByteArray &valueName, unsigned &type, char *buffer,
                    unsigned &size) override;
    long closeKey(Key key) override;
};

} // namespace platform
