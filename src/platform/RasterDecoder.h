#pragma once

#include <QByteArray>

#include "platform/Picture.h"
#include "platform/PictureLimits.h"

namespace platform {

// The raster kinds the viewer reads, recognised from the first bytes of the
// file whatever its name says. Returns Kind::Empty for anything else.
Picture::Kind detectRasterKind(const QByteArray &bytes);

// The pixel size the header of a raster picture declares; invalid when it
// does not say.
QSize declaredSize(Picture::Kind kind, const QByteArray &bytes);

// Decodes BMP/DIB, ICO/CUR, JPEG and GIF; throws "invalid picture" for data
// it cannot read and "out of memory" for pictures too large to hold.
PicturePtr decodeRaster(const QByteArray &bytes);

} // namespace platform
