// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BitmapReader.h"

#include <cmath>

#include "platform/pictures/BitmapHuffman.h"
#include "platform/pictures/BitmapPixels.h"
#include "platform/pictures/BitmapRle.h"
#include "platform/pictures/BlankImage.h"
#include "platform/pictures/ByteFields.h"
#include "platform/pictures/EmbeddedImage.h"
#include "platform/pictures/PictureLimits.h"

namespace platform {

namespace {

constexpr qint64 FileHeaderBytes = 14;

QImage blankFor(const QByteArray &bytes, const BitmapHeader &header, QImage::Format format)
{
    const QSize size(header.width, header.height);
    refuseIfTooLarge(size, bytes.size());
    QImage image = blankImage(size, format, bytes.size());
    if (header.dotsPerMeterX > 0)
        image.setDotsPerMeterX(header.dotsPerMeterX);
    if (header.dotsPerMeterY > 0)
        image.setDotsPerMeterY(header.dotsPerMeterY);
    return image;
}

// Run codes may skip pixels, so the picture starts transparent; if every
// pixel was set after all, it is opaque.
template<typename Decoder>
QImage decodeRuns(const QByteArray &bytes, const BitmapHeader &header, Decoder decode)
{
    QImage image = blankFor(bytes, header, QImage::Format_ARGB32_Premultiplied);
    if (decode(bytes, header, image))
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

// A program that filled the alpha channel with nothing wrote zero
// throughout; such a picture is meant opaque, not invisible.
void settleEmptyAlpha(QImage &image, const BitmapHeader &header, int storedRows, bool complete)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                return;
        }
    }
    for (int stored = 0; stored < storedRows; ++stored) {
        QRgb *row = pictureRow(image, stored, header.topDown);
        for (int x = 0; x < image.width(); ++x)
            row[x] |= 0xff000000u;
    }
    if (complete)
        image.reinterpretAsFormat(QImage::Format_RGB32);
}

// Whether the file holds every row, the last without its padding. In
// floating point: the sides are not yet known to fit in memory.
bool holdsEveryRow(const QByteArray &bytes, const BitmapHeader &header)
{
    const double lastRowBytes = std::ceil(double(header.width) * header.bitsPerPixel / 8);
    return double(bitmapRowBytes(header.width, header.bitsPerPixel)) * (header.height - 1) + lastRowBytes
        <= double(bytes.size() - header.pixelsAt);
}

QImage decodeRows(const QByteArray &bytes, const BitmapHeader &header)
{
    const RowFormat format(header);
    const bool complete = holdsEveryRow(bytes, header);
    // A paletted picture keeps its indices: a quarter of the memory or
    // less, and the rows are copied rather than converted.
    QImage::Format pixels = QImage::Format_RGB32;
    if (format.hasAlpha())
        pixels = QImage::Format_ARGB32;
    else if (!complete)
        pixels = QImage::Format_ARGB32_Premultiplied;
    else if (format.paletted())
        pixels = header.bitsPerPixel == 1 ? QImage::Format_Mono : QImage::Format_Indexed8;
    QImage image = blankFor(bytes, header, pixels);
    if (image.depth() <= 8)
        image.setColorTable(format.colourTable());
    const int storedRows = convertRows(bytes, header, format, image);
    if (format.hasAlpha())
        settleEmptyAlpha(image, header, storedRows, complete);
    return image;
}

} // namespace

QImage decodeBitmapPixels(const QByteArray &bytes, const BitmapHeader &header)
{
    switch (header.coding) {
    case BitmapCoding::Plain:
    case BitmapCoding::BitFields: return decodeRows(bytes, header);
    case BitmapCoding::Rle8:
    case BitmapCoding::Rle4:
    case BitmapCoding::Rle24: return decodeRuns(bytes, header, decodeRle);
    case BitmapCoding::Huffman1D: return decodeRuns(bytes, header, decodeHuffman1D);
    case BitmapCoding::Jpeg: return readEmbeddedImage(bytes, header.pixelsAt, "jpeg");
    case BitmapCoding::Png: return readEmbeddedImage(bytes, header.pixelsAt, "png");
    }
    refuseBitmap();
}

QImage readBitmap(const QByteArray &bytes)
{
    const bool withFileHeader = bytes.startsWith("BM");
    const qint64 declaredPixelsAt =
        withFileHeader && bytes.size() >= FileHeaderBytes ? fieldAt<quint32>(bytes, 10) : 0;
    const BitmapHeader header =
        readBitmapHeader(bytes, withFileHeader ? FileHeaderBytes : 0, declaredPixelsAt);
    return decodeBitmapPixels(bytes, header);
}

} // namespace platform
