// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <atomic>

namespace platform {

// The size a JPEG of `full` pixels decodes to at 1/`denominator` (1, 2, 4
// or 8): libjpeg's DCT scaling, which costs little more than reading.
QSize jpegScaledSize(QSize full, int denominator);

// The largest of those denominators at which a picture of `full` pixels
// still covers `cover` in both directions; 1 for an empty `cover`.
int jpegDenominatorFor(QSize full, QSize cover);

// Decodes a JPEG held in memory with libjpeg-turbo, reduced by DCT scaling
// as far as it still covers `fitWithin` (at its own size when that is
// empty), straight into a blank picture prepared before the first row (see
// blankImage). The rows come a few at a time; `stop`, once set, ends the
// decode between them (or between the scans of a progressive file, read in
// before its first row), and the result is then a null image. Pixels and
// format (RGB32, or Grayscale8 for a grey picture) are those of Qt's own
// reader, and the EXIF orientation (see jpegOrientation) is applied as Qt
// applies it. A file cut short or damaged is shown as djpeg
// shows it: as far as its data goes, the rest as libjpeg fills it (grey,
// or a progressive file's missing scans at the quality the earlier ones
// give). Throws "invalid picture" when libjpeg cannot start decoding (no
// whole header, no first scan) or gives up with an error, "out of memory"
// for a picture too large to hold.
QImage decodeJpeg(const QByteArray &bytes, QSize fitWithin = {},
                  const std::atomic_bool *stop = nullptr);

} // namespace platform
