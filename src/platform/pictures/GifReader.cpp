// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/GifReader.h"

#include <QRect>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "platform/pictures/BlankImage.h"
#include "platform/pictures/ByteFields.h"
#include "platform/pictures/GifLzw.h"
#include "platform/pictures/PictureLimits.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

constexpr qsizetype ScreenBytes = 13;      // header and logical screen descriptor
constexpr qsizetype DescriptorBytes = 10;  // image descriptor, its separator included

// Where the first image is and what its pixels mean.
struct FirstImage
{
    QSize screen;
    QRect place;              // on the canvas
    QByteArray colours;       // three bytes an entry; empty when there is no table
    int transparent = -1;     // the colour index shown transparent
    bool interlaced = false;
    qsizetype dataAt = 0;     // its LZW data; may lie past the end
};

// A colour table of 2^(n+1) entries follows when the flag's top bit is set;
// what of it the file holds.
QByteArray colourTable(const QByteArray &bytes, qsizetype &at, uchar flags)
{
    if (!(flags & 0x80))
        return {};
    const qsizetype length = 3 * (2 << (flags & 7));
    const QByteArray table = bytes.mid(at, length);
    at += length;
    return table;
}

// Skips an extension's sub-blocks; a graphic control extension says which
// colour index is transparent.
void readExtension(const QByteArray &bytes, qsizetype &at, int &transparent)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const bool control = at + 6 < bytes.size() && data[at + 1] == 0xF9 && data[at + 2] >= 4;
    if (control)
        transparent = (data[at + 3] & 1) ? data[at + 6] : -1;
    at += 2;
    while (at < bytes.size() && data[at] != 0)
        at += 1 + data[at];
    ++at;
}

std::optional<FirstImage> findFirstImage(const QByteArray &bytes)
{
    if (bytes.size() < ScreenBytes)
        return std::nullopt;
    FirstImage image;
    image.screen = QSize(fieldAt<quint16>(bytes, 6), fieldAt<quint16>(bytes, 8));
    qsizetype at = ScreenBytes;
    const QByteArray global = colourTable(bytes, at, uchar(bytes.at(10)));
    while (at < bytes.size() && bytes.at(at) == 0x21)
        readExtension(bytes, at, image.transparent);
    if (at + DescriptorBytes > bytes.size() || bytes.at(at) != 0x2C)
        return std::nullopt; // the trailer, damage or the end before any image
    image.place = QRect(fieldAt<quint16>(bytes, at + 1), fieldAt<quint16>(bytes, at + 3),
                        fieldAt<quint16>(bytes, at + 5), fieldAt<quint16>(bytes, at + 7));
    const uchar flags = uchar(bytes.at(at + 9));
    image.interlaced = flags & 0x40;
    at += DescriptorBytes;
    const QByteArray local = colourTable(bytes, at, flags);
    image.colours = (flags & 0x80) ? local : global;
    image.dataAt = at;
    return image;
}

QSize canvasOf(const FirstImage &image)
{
    if (image.place.isEmpty())
        return image.screen;
    return {std::max(image.screen.width(), image.place.x() + image.place.width()),
            std::max(image.screen.height(), image.place.y() + image.place.height())};
}

// The colour of each index. A file without a table is shown in greys;
// indices past the table are black.
std::array<QRgb, 256> paletteOf(const FirstImage &image)
{
    std::array<QRgb, 256> palette;
    const auto *table = reinterpret_cast<const uchar *>(image.colours.data());
    for (int i = 0; i < 256; ++i) {
        if (image.colours.isEmpty())
            palette[i] = qRgb(i, i, i);
        else
            palette[i] = 3 * i + 2 < image.colours.size() ? qRgb(table[3 * i], table[3 * i + 1], table[3 * i + 2])
                                                          : qRgb(0, 0, 0);
    }
    if (image.transparent >= 0)
        palette[image.transparent] = 0;
    return palette;
}

// The canvas row of the image's `stored`th row: an interlaced image stores
// every eighth row from the first, every eighth from the fifth, every
// fourth from the third, then the odd ones.
int rowOf(int stored, int height, bool interlaced)
{
    if (!interlaced)
        return stored;
    static constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = height > start[pass] ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (stored < rows)
            return start[pass] + stored * step[pass];
        stored -= rows;
    }
    return -1;
}

// Paints the `count` indices decoded into the image's place on `canvas`.
void paint(QImage &canvas, const FirstImage &image, const uchar *indices, qsizetype count)
{
    const std::array<QRgb, 256> palette = paletteOf(image);
    const int width = image.place.width();
    for (int stored = 0; qsizetype(stored) * width < count; ++stored) {
        const int y = image.place.y() + rowOf(stored, image.place.height(), image.interlaced);
        QRgb *row = reinterpret_cast<QRgb *>(canvas.scanLine(y)) + image.place.x();
        const uchar *from = indices + qsizetype(stored) * width;
        const int pixels = int(std::min<qsizetype>(width, count - qsizetype(stored) * width));
        for (int x = 0; x < pixels; ++x)
            row[x] = palette[from[x]];
    }
}

} // namespace

QSize gifCanvasSize(const QByteArray &bytes)
{
    if (const auto image = findFirstImage(bytes))
        return canvasOf(*image);
    return bytes.size() >= ScreenBytes ? QSize(fieldAt<quint16>(bytes, 6), fieldAt<quint16>(bytes, 8)) : QSize();
}

QImage readGif(const QByteArray &bytes)
{
    const std::optional<FirstImage> image = findFirstImage(bytes);
    if (!image)
        raise(errc::InvalidPicture, QStringLiteral("в файле GIF нет рисунка"));
    refuseIfTooLarge(canvasOf(*image), bytes.size());
    QImage canvas = blankImage(canvasOf(*image), QImage::Format_ARGB32_Premultiplied, bytes.size());
    const qsizetype pixels = qsizetype(image->place.width()) * image->place.height();
    std::unique_ptr<uchar[]> indices(pixels > 0 ? new (std::nothrow) uchar[std::size_t(pixels)] : nullptr);
    if (pixels > 0 && !indices)
        raise(errc::OutOfMemory, QStringLiteral("рисунок GIF"));
    const qsizetype decoded = pixels > 0 ? decompressGifImage(bytes, image->dataAt, indices.get(), pixels) : 0;
    paint(canvas, *image, indices.get(), decoded);
    // An opaque picture is drawn without blending.
    const bool opaque = image->place == canvas.rect() && decoded == pixels && image->transparent < 0;
    if (opaque)
        canvas.reinterpretAsFormat(QImage::Format_RGB32);
    return canvas;
}

} // namespace platform
