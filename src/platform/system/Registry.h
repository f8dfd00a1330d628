// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>

namespace platform {

// The three registry operations the About window uses, with the classic
// calling conventions: 0 for success, an error code otherwise.
class Registry
{
public:
    using Key = std::uintptr_t;

    static constexpr Key HKeyLocalMachine = 0x80000002;
    static constexpr unsigned KeyRead = 0x20019;
    static constexpr long Success = 0;
    static constexpr long FileNotFound = 2;
    static constexpr long AccessDenied = 5;
    static constexpr long MoreData = 234;
    static constexpr unsigned TypeString = 1; // REG_SZ
    static constexpr unsigned TypeDword = 4;  // REG_DWORD

    virtual ~Registry() = default;

    // Key paths and value names are bytes in the system's 8-bit encoding.
    virtual long openKey(Key root, const QByteArray &subKey, unsigned options, unsigned access,
                         Key &result) = 0;
    // Reads a value into `buffer` of `size` bytes; `size` becomes the data's
    // size. Data larger than the buffer fails with MoreData.
    virtual long queryValue(Key key, const QByteArray &valueName, unsigned &type, char *buffer,
                            unsigned &size) = 0;
    virtual long closeKey(Key key) = 0;
};

} // namespace platform
