// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>

namespace platform {

// The size of a half-size copy: rounded up, so that an odd last row or
// column still shows in it.
QSize halvedSize(QSize size);

// A copy of `image` at half its size, each pixel the average of the two by
// two it replaces (an odd last row or column is averaged with itself).
// Every format is averaged here, on the calling thread, into a buffer
// backed in one go: opaque and premultiplied pictures keep their format,
// others come out as 32-bit pixels (premultiplied where they have alpha). A
// null image when memory runs out.
QImage halfSize(const QImage &image);

// How often a picture of `size` can be halved and still cover `target`.
int halvingsFor(QSize size, QSize target);

// `image` halved that often for `target` (a null image when no halving is
// due or memory runs out); the steps between are let go as they go.
QImage reducedFor(const QImage &image, QSize target);

} // namespace platform
