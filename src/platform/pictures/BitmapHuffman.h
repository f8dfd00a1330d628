// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

#include "platform/pictures/BitmapHeader.h"

namespace platform {

// Decodes OS/2's Huffman 1D coded 1-bit pixels (the modified Huffman code
// of fax machines, bits taken from the high end of each byte) into
// `image`, whose pixels start transparent. White runs take the first
// colour of the table, black runs the second. Decoding stops at the first
// code it does not know; the pixels not reached stay transparent. Returns
// whether every pixel was set.
bool decodeHuffman1D(const QByteArray &bytes, const BitmapHeader &header, QImage &image);

} // namespace platform
