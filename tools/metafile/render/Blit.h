// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QRectF>

namespace metafile {

class Canvas;
class DeviceContext;

// A blit to `logical` with raster operation `rop`: the source picture (null
// when the record has none) drawn as the operations that copy or mask it
// look, or the rectangle filled for those that need no source.
void blit(Canvas &canvas, DeviceContext &dc, const QRectF &logical, unsigned rop, const QImage &source);

// The picture with the pixels of `colour` transparent: what a masking
// operation, or a transparent blit, leaves of the destination.
QImage withoutColour(const QImage &image, QRgb colour);

// The part of a bitmap that a source rectangle in its own pixels names; y
// counts from the bottom for bitmaps stored bottom-up when `fromBottom`.
QImage sourcePart(const QImage &image, QRectF source, bool fromBottom);

} // namespace metafile
