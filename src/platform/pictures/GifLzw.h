// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>

namespace platform {

// Decompresses the LZW data of a GIF image that starts at `at` of `bytes`
// (its minimum code size, then its sub-blocks) into at most `count` colour
// indices. Returns how many it wrote: fewer when the data ends, or turns
// to nonsense, before the image is complete; what it held up to there is
// kept.
qsizetype decompressGifImage(const QByteArray &bytes, qsizetype at, uchar *indices, qsizetype count);

} // namespace platform
