// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace platform {

// The little-endian field of type T at `at` in a file's bytes; the caller
// has made sure it lies within them.
template<typename T>
T fieldAt(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

} // namespace platform
