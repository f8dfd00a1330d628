// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>

namespace metafile {

// Bitmaps in records are device-independent bitmaps without a file header:
// the BITMAPINFO (header and colours) and the pixels, apart. They are read
// by the viewer's own bitmap reader, which knows every variant of them.
// Returns a null image for one that is damaged or larger than MaxDibPixels.
inline constexpr qint64 MaxDibPixels = qint64(64) << 20;

// With `alpha`, 32-bit pixels keep their fourth byte as premultiplied
// alpha, as AlphaBlend reads them; any other blit copies colours only, and
// the picture is opaque but for pixels the bitmap leaves unset (run-length
// coded ones may skip some), which keep what is beneath.
QImage dibToImage(QByteArrayView info, QByteArrayView bits, bool alpha = false);

// A DIB stored whole, header first, as WMF pattern brushes and blits keep it.
QImage packedDibToImage(QByteArrayView packed);

// Whether the rows of the DIB whose header `info` begins with are stored
// bottom-up, the first row the picture's last.
bool dibBottomUp(QByteArrayView info);

} // namespace metafile
