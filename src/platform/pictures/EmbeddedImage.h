// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

// Decodes a picture held in memory with Qt's reader for `format` (as Qt
// names it), refusing one too large (see refuseIfTooLarge) before decoding
// it. A null image when it cannot be read: a decoder that gives up partway
// leaves rows it did not reach, and that is no picture to show.
QImage readWithQt(const QByteArray &bytes, const char *format);

// Decodes the JPEG or PNG (`format` as Qt names it) stored inside a
// bitmap or an icon from `at` to the end of `bytes`: the JPEG as a JPEG
// file is, the PNG with Qt's reader. Throws "invalid picture" when it
// cannot be read.
QImage readEmbeddedImage(const QByteArray &bytes, qint64 at, const char *format);

} // namespace platform
