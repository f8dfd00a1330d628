// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>
#include <QtGlobal>

namespace platform {

// Decoded pictures larger than this are refused as out of memory before any
// pixel buffer is allocated (a 100-megapixel photo needs 400 MB).
inline constexpr qint64 MaxDecodedBytes = qint64(1) << 30;

// Refuses, before anything is allocated, a picture of `size` that would
// not fit in memory (out of memory) and one a file of `fileBytes` cannot
// plausibly hold, a decompression bomb (invalid picture). An invalid size
// passes: the header did not say.
void refuseIfTooLarge(QSize size, qint64 fileBytes);
// The same judgement, without throwing.
bool withinLimits(QSize size, qint64 fileBytes);

// Whether a file of `fileBytes` can be expected to fill `pixelBytes` of
// decoded pixels. Memory it would never fill is better left untouched.
bool plausiblyFilled(qint64 pixelBytes, qint64 fileBytes);

} // namespace platform
