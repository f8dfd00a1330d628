// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>

namespace metafile {

// Bitmaps in records are device-independent bitmaps without a file header:
// the BITMAPINFO (header and colours) and the pixels, apart. Returns a null
// image for one that is damaged or larger than MaxDibPixels.
inline constexpr qint64 MaxDibPixels = qint64(64) << 20;

// With `alpha`, 32-bit pixels keep their fourth byte as premultiplied
// alpha, as AlphaBlend reads them.
QImage dibToImage(QByteArrayView info, QByteArrayView bits, bool alpha = false);

// A DIB stored whole, header first, as WMF pattern brushes and blits keep it.
QImage packedDibToImage(QByteArrayView packed);

} // namespace metafile
