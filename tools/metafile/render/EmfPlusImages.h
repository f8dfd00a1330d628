// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "ByteReader.h"
#include "EmfPlusObjects.h"

namespace metafile::emfplus {

// What decoding the image objects of one playback may cost. The objects
// are kept decoded until replaced, so their pixels count for good.
struct DecodeAllowance
{
    qint64 pixels = qint64(32) << 20;
    int metafiles = 16; // each drawn at the cost of a whole playback
};

// An image object: a bitmap of pixels in one of GDI+'s formats, a
// compressed picture Qt reads (PNG, JPEG, GIF, BMP), or a metafile, drawn
// once to pixels. None for one that is damaged, unreadable or beyond the
// allowance.
std::optional<PlusImage> readImage(ByteReader &r, DecodeAllowance &allowance);

} // namespace metafile::emfplus
