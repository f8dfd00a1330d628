// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusImages.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

#include "Dib.h"
#include "EmfPlayer.h"
#include "Renderer.h"

namespace metafile::emfplus {

namespace {

enum ImageType { BitmapImage = 1, MetafileImage = 2 };
enum MetafileType { Wmf = 1, WmfPlaceable = 2, Emf = 3, EmfPlusOnly = 4, EmfPlusDual = 5 };
constexpr quint32 Indexed = 0x00010000;
// Metafiles inside metafiles are drawn this many levels deep, no deeper.
constexpr int MaxNesting = 2;
// An embedded metafile is drawn to pixels no larger than this across.
constexpr int MaxMetafileSide = 1024;
constexpr double Oversampling = 4;

thread_local int nesting = 0;

bool affordable(qint64 width, qint64 height, DecodeAllowance &allowance)
{
    if (width <= 0 || height <= 0 || width > MaxDibPixels / height || width * height > allowance.pixels)
        return false;
    allowance.pixels -= width * height;
    return true;
}

QImage::Format formatOf(quint32 pixelFormat)
{
    switch (pixelFormat) {
    case 0x00021005: // RGB555
    case 0x00061007: return QImage::Format_RGB555; // its one bit of alpha left out
    case 0x00021006: return QImage::Format_RGB16;
    case 0x00021808: return QImage::Format_BGR888;
    case 0x00022009: return QImage::Format_RGB32;
    case 0x0026200A: return QImage::Format_ARGB32;
    case 0x000E200B: return QImage::Format_ARGB32_Premultiplied;
    case 0x00030101: return QImage::Format_Mono;
    case 0x00030402:
    case 0x00030803: return QImage::Format_Indexed8;
    default: return QImage::Format_Invalid;
    }
}

// 4-bit pixels, two to a byte, spread to one a byte.
QImage spreadNibbles(ByteReader &r, qsizetype at, int width, int height, qsizetype stride)
{
    QImage image(width, height, QImage::Format_Indexed8);
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const quint8 pair = r.u8(at + y * stride + x / 2);
            row[x] = x % 2 ? pair & 0x0F : pair >> 4;
        }
    }
    return image;
}

// Pixels in rows from the top, `stride` bytes apart, a palette first for
// the indexed formats.
std::optional<PlusImage> pixelBitmap(ByteReader &r, DecodeAllowance &allowance)
{
    const int width = r.i32(8), height = r.i32(12);
    const qsizetype stride = r.i32(16);
    const quint32 pixelFormat = r.u32(20);
    const QImage::Format format = formatOf(pixelFormat);
    const int depth = (pixelFormat >> 8) & 0xFF;
    qsizetype at = 28;
    QList<QRgb> palette;
    if (pixelFormat & Indexed) {
        const qint64 colours = r.u32(at + 4);
        if (colours > 256 || !r.holds(at + 8, colours, 4))
            return std::nullopt;
        for (qint64 i = 0; i < colours; ++i)
            palette << r.u32(at + 8 + qsizetype(i) * 4);
        at += 8 + qsizetype(colours) * 4;
    }
    if (format == QImage::Format_Invalid || width <= 0 || height <= 0 || stride < (qint64(width) * depth + 7) / 8
        || !r.holds(at, height, stride) || !affordable(width, height, allowance))
        return std::nullopt;
    QImage image = depth == 4 ? spreadNibbles(r, at, width, height, stride)
                              : QImage(reinterpret_cast<const uchar *>(r.slice(at, stride * height).data()), width,
                                       height, stride, format)
                                    .copy();
    if (pixelFormat & Indexed) {
        // Indexes beyond a short palette come out black, not out of bounds.
        image.setColorTable(palette);
        image = image.convertToFormat(QImage::Format_ARGB32);
    }
    return PlusImage{image, image.size()};
}

std::optional<PlusImage> compressedBitmap(ByteReader &r, DecodeAllowance &allowance)
{
    const QByteArray bytes = r.slice(28, r.size() - 28).toByteArray();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!affordable(size.width(), size.height(), allowance))
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return PlusImage{image, image.size()};
}

// The metafile's own size in pixels of its reference device, as source
// rectangles count it.
QSizeF metafileSize(QByteArrayView bytes, bool emf, const QSvgRenderer &svg)
{
    if (emf) {
        if (const std::optional<EmfHeader> header = readEmfHeader(bytes)) {
            const QSizeF frame = header->frame.size() + QSizeF(1, 1);
            return QSizeF(frame.width() * header->pixelsPerMm.width(), frame.height() * header->pixelsPerMm.height())
                / 100;
        }
    }
    return svg.defaultSize();
}

// Drawn once with our own renderer, to pixels at about its own size.
std::optional<PlusImage> metafile(ByteReader &r, DecodeAllowance &allowance)
{
    const int type = r.i32(8);
    const QByteArrayView bytes = r.slice(16, std::min<qint64>(r.u32(12), r.size() - 16));
    if (type < Wmf || type > EmfPlusDual || bytes.isEmpty() || nesting >= MaxNesting || allowance.metafiles <= 0)
        return std::nullopt;
    --allowance.metafiles;
    const bool emf = type >= Emf;
    ++nesting;
    QSvgRenderer svg(renderMetafileSvg(bytes, emf ? Kind::Emf : Kind::Wmf));
    --nesting;
    const QSizeF size = metafileSize(bytes, emf, svg);
    if (!svg.isValid() || !(size.width() >= 1 && size.height() >= 1 && size.width() < 1e7 && size.height() < 1e7))
        return std::nullopt;
    // Finer than its own pixels, as it stays sharp a little enlarged.
    const double side = std::min(double(MaxMetafileSide), Oversampling * std::max(size.width(), size.height()));
    const QSize pixels = size.scaled(side, side, Qt::KeepAspectRatio).toSize().expandedTo(QSize(1, 1));
    if (!affordable(pixels.width(), pixels.height(), allowance))
        return std::nullopt;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(QPointF(0, 0), pixels));
    painter.end();
    return PlusImage{image, size};
}

} // namespace

std::optional<PlusImage> readImage(ByteReader &r, DecodeAllowance &allowance)
{
    switch (r.u32(4)) {
    case BitmapImage: return r.u32(24) == 1 ? compressedBitmap(r, allowance) : pixelBitmap(r, allowance);
    case MetafileImage: return metafile(r, allowance);
    default: return std::nullopt;
    }
}

} // namespace metafile::emfplus
