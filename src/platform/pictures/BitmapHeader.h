// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QRgb>

#include <vector>

namespace platform {

// How a bitmap's pixel data is stored.
enum class BitmapCoding { Plain, BitFields, Rle8, Rle4, Rle24, Huffman1D, Jpeg, Png };

// Where each channel lies in a 16- or 32-bit pixel; zero for a channel the
// pixels do not have.
struct ChannelMasks
{
    quint32 red = 0;
    quint32 green = 0;
    quint32 blue = 0;
    quint32 alpha = 0;
};

// What an info header and the masks and colour table after it say about
// the pixels that follow, checked against the file's bytes.
struct BitmapHeader
{
    int width = 0;
    int height = 0;          // rows, always positive
    bool topDown = false;    // the top row is stored first
    int bitsPerPixel = 0;
    BitmapCoding coding = BitmapCoding::Plain;
    ChannelMasks masks;      // for 16 and 32 bits per pixel
    std::vector<QRgb> palette; // for up to 8 bits per pixel, opaque
    qint64 pixelsAt = 0;     // where the pixel data starts; inside the file
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
};

// Reads the info header at `at` of `bytes`, in any of its versions (OS/2
// 1.x and 2.x, Windows 3 and later). `declaredPixelsAt` is where a file
// header says the pixels are, 0 for a bitmap without one: they then follow
// the colour table. Throws "invalid picture" for a header it cannot take.
BitmapHeader readBitmapHeader(const QByteArray &bytes, qint64 at, qint64 declaredPixelsAt);

// Bytes of one stored row of uncompressed pixels: rows are padded to four
// bytes.
qint64 bitmapRowBytes(int width, int bitsPerPixel);

// Why a bitmap could not be read, in the loader's usual words.
[[noreturn]] void refuseBitmap();

} // namespace platform
