#pragma once

#include <QImage>

namespace platform {

// A copy of `image` at half its size (rounded down), each pixel the average
// of the two by two it replaces. Opaque and premultiplied pictures are
// averaged here, straight into a buffer backed in one go; other formats go
// through Qt's smooth scaling. A null image when memory runs out.
QImage halfSize(const QImage &image);

} // namespace platform
