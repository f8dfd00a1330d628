// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImageIOHandler>

namespace platform {

// How a JPEG's pixels are to be turned upright, as the orientation tag of
// its EXIF block says: in either byte order, and stored as any integer type
// (cameras and editors write SHORT, some LONG or a signed type). None when
// the file has no such tag or its value is not one of the eight.
QImageIOHandler::Transformations jpegOrientation(const QByteArray &bytes);

} // namespace platform
