// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

#include "platform/pictures/BitmapHeader.h"

namespace platform {

// Decodes a Windows or OS/2 bitmap file, or a DIB without its file header
// as the clipboard keeps it, in every version, depth and coding. Pixels a
// short or sparse file leaves unset are transparent. Throws "invalid
// picture" for what cannot be shown and "out of memory" for a picture too
// large to hold.
QImage readBitmap(const QByteArray &bytes);

// Decodes the pixels a header (read from `bytes`) describes: opaque ones
// as RGB32, with an alpha channel as ARGB32, with unset pixels as
// ARGB32_Premultiplied; embedded JPEG and PNG pictures as Qt reads them.
QImage decodeBitmapPixels(const QByteArray &bytes, const BitmapHeader &header);

} // namespace platform
