// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

#include <atomic>

#include "platform/pictures/Picture.h"
#include "platform/pictures/PictureLimits.h"

namespace platform {

// The raster kinds the viewer reads, recognised from the first bytes of the
// file whatever its name says. Returns Kind::Empty for anything else.
Picture::Kind detectRasterKind(const QByteArray &bytes);

// The pixel size the header of a raster picture declares, read before any
// decoding so a picture too large for memory is refused before anything is
// allocated; invalid when the header does not say.
QSize declaredSize(Picture::Kind kind, const QByteArray &bytes);

// Raises Qt's own ceiling on decoded pictures, which would refuse a
// 100-megapixel photo; ours is checked against the declared size before
// decoding. Qt's limit is a plain global: the program sets it once at
// start, before any thread decodes (decodeRaster makes sure of it too).
void setDecodingLimits();

// Decodes BMP/DIB, ICO/CUR, JPEG and GIF; throws "invalid picture" for data
// it cannot read and "out of memory" for pictures too large to hold. A JPEG
// comes reduced to no less than `fitWithin` when that is not empty (see
// PictureLoader::load), and its decode ends early, as a failure, once
// `stop` is set.
PicturePtr decodeRaster(const QByteArray &bytes, QSize fitWithin = {},
                        const std::atomic_bool *stop = nullptr);

} // namespace platform
