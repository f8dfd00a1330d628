// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

// Decodes an icon or cursor file: of the images it holds, the largest, the
// deepest of equal size, the first of equal depth; should that one fail,
// the next in the same order. Images the file holds only the start of come
// last, and the directory's sizes and count are not trusted. Bitmap images
// show their AND mask as transparency, unless they are 32-bit with an
// alpha channel of their own; PNG images are read by Qt. Throws "invalid
// picture" when no image can be read, a directory that places none of its
// images inside the file among them, and "out of memory" for an image too
// large to hold.
QImage readIcon(const QByteArray &bytes);

} // namespace platform
