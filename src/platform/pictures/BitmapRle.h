// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

#include "platform/pictures/BitmapHeader.h"

namespace platform {

// Decodes run-length coded pixels (RLE8, RLE4, and OS/2's RLE24) into
// `image`, whose pixels start transparent. Runs past a row's end are cut
// off there; pixels the data skips (by a delta or an early end of line)
// or never reaches (it ends early) stay transparent, so the background
// shows through. Returns whether every pixel was set.
bool decodeRle(const QByteArray &bytes, const BitmapHeader &header, QImage &image);

} // namespace platform
