// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// The extension as the program keeps it: the last three characters of the
// path as typed ("peg" for a .jpeg file), the whole path when shorter.
inline QString extensionOf(const QString &path)
{
    return path.right(3);
}
