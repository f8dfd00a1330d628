// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>

namespace platform {

// A picture whose pixels are all zero (fully transparent in the alpha
// formats), for a decoder to write into. Its memory comes zeroed from
// the system, so pixels a short file never reaches cost nothing; when a
// file of `fileBytes` can plausibly fill it, it is backed in one go (see
// prefault). Throws "out of memory" when there is no room for it.
QImage blankImage(QSize size, QImage::Format format, qint64 fileBytes);

} // namespace platform
