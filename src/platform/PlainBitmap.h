#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

// Decodes the commonest bitmap file, uncompressed 24-bit rows after a
// Windows 3 or later header, straight from the bytes already read: the
// general decoder copies every row through a stream first. Returns a null
// image for any other layout, and for files too short for their rows, so
// the general decoder handles those as it always has. Throws bad_alloc when
// there is no memory for the picture.
QImage decodePlainBitmap(const QByteArray &bytes);

} // namespace platform
