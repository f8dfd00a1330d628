// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

// Decodes the JPEG or PNG (`format` as Qt names it) stored inside a
// bitmap or an icon from `at` to the end of `bytes`, with Qt's reader.
// Throws "invalid picture" when it cannot be read, and refuses pictures
// too large (see refuseIfTooLarge) before decoding them.
QImage readEmbeddedImage(const QByteArray &bytes, qint64 at, const char *format);

} // namespace platform
