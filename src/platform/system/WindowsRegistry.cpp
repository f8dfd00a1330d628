// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/WindowsRegistry.h"

#include <windows.h>

namespace platform {

long WindowsRegistry::openKey(Key root, const QByteArray &subKey, unsigned options,
                              unsigned access, Key &result)
{
    HKEY opened = nullptr;
    const LONG rc = RegOpenKeyExA(reinterpret_cast<HKEY>(root), subKey.constData(), options,
                                  access, &opened);
    result = reinterpret_cast<Key>(opened);
    return rc;
}

long WindowsRegistry::queryValue(Key key, const QByteArray &valueName, unsigned &type,
                                 char *buffer, unsigned &size)
{
    DWORD valueType = 0;
    DWORD dataSize = size;
    const LONG rc = RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.constData(), nullptr,
                                     &valueType, reinterpret_cast<LPBYTE>(buffer), &dataSize);
    type = valueType;
    size = dataSize;
    return rc;
}

long WindowsRegistry::closeKey(Key key)
{
    return RegCloseKey(reinterpret_cast<HKEY>(key));
}

} // namespace platform
