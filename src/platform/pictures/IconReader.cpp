// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/IconReader.h"

#include <QtEndian>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/pictures/BitmapPixels.h"
#include "platform/pictures/BitmapReader.h"
#include "platform/pictures/ByteFields.h"
#include "platform/pictures/EmbeddedImage.h"
#include "platform/pictures/PictureLimits.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

constexpr qint64 DirectoryHeaderBytes = 6;
constexpr qint64 EntryBytes = 16;
const QByteArray PngSignature("\x89PNG\r\n\x1a\n", 8);

// One image of the file, as it describes itself: the directory's sizes say
// 0 for 256 and are often wrong.
struct IconImage
{
    qint64 at = 0;
    QSize size;
    int depth = 0;
    bool png = false;
    bool whole = true; // all its colour rows are in the file, as far as is known
};

// An icon's bitmap holds the colour rows and then the AND mask's rows, and
// its header gives the height of both together.
BitmapHeader iconHeader(const QByteArray &bytes, qint64 at)
{
    BitmapHeader header = readBitmapHeader(bytes, at, 0);
    header.height /= 2;
    if (header.height == 0)
        refuseBitmap();
    // Unlike a bitmap file's, the fourth byte of a 32-bit icon pixel is
    // alpha.
    if (header.bitsPerPixel == 32 && header.coding == BitmapCoding::Plain)
        header.masks.alpha = 0xff000000u;
    return header;
}

std::optional<IconImage> describe(const QByteArray &bytes, qint64 at)
{
    if (bytes.mid(at, PngSignature.size()) == PngSignature) {
        if (at + 24 > bytes.size())
            return std::nullopt;
        const auto *ihdr = reinterpret_cast<const uchar *>(bytes.constData()) + at + 16;
        const quint32 width = qFromBigEndian<quint32>(ihdr);
        const quint32 height = qFromBigEndian<quint32>(ihdr + 4);
        if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX)
            return std::nullopt;
        return IconImage{at, QSize(int(width), int(height)), 32, true};
    }
    try {
        const BitmapHeader header = iconHeader(bytes, at);
        const bool plain = header.coding == BitmapCoding::Plain || header.coding == BitmapCoding::BitFields;
        const qint64 end = header.pixelsAt + bitmapRowBytes(header.width, header.bitsPerPixel) * header.height;
        return IconImage{at, QSize(header.width, header.height), header.bitsPerPixel, false,
                         !plain || end <= bytes.size()};
    } catch (const Error &) {
        return std::nullopt; // not an image this reader knows
    }
}

// The images the directory places inside the file. Its count and sizes
// are often wrong: entries are read as far as the file holds them, and an
// image is taken from where it starts to the end of the file, its own
// header saying how much of that is its own.
std::vector<IconImage> imagesOf(const QByteArray &bytes)
{
    const qint64 count = bytes.size() >= DirectoryHeaderBytes ? fieldAt<quint16>(bytes, 4) : 0;
    const qint64 entries = std::min(count, (bytes.size() - DirectoryHeaderBytes) / EntryBytes);
    std::vector<IconImage> images;
    for (qint64 i = 0; i < entries; ++i) {
        const qint64 at = fieldAt<quint32>(bytes, DirectoryHeaderBytes + EntryBytes * i + 12);
        if (at < DirectoryHeaderBytes + EntryBytes || at >= bytes.size())
            continue;
        if (const auto image = describe(bytes, at))
            images.push_back(*image);
    }
    return images;
}

// Mask bits set mark pixels where the screen shows through (or, with a
// set colour, is inverted, which a picture cannot show: transparent too).
// Rows the file does not hold leave their pixels opaque.
void applyAndMask(const QByteArray &bytes, const BitmapHeader &header, QImage &image)
{
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        raise(errc::OutOfMemory, QStringLiteral("значок %1 × %2 точек").arg(header.width).arg(header.height));
    const qint64 stride = bitmapRowBytes(header.width, 1);
    const qint64 maskAt =
        header.pixelsAt + bitmapRowBytes(header.width, header.bitsPerPixel) * header.height;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    for (int stored = 0; stored < header.height; ++stored) {
        const qint64 rowAt = maskAt + stride * stored;
        if (rowAt + stride > bytes.size())
            break;
        QRgb *row = pictureRow(image, stored, header.topDown);
        for (int x = 0; x < header.width; ++x) {
            if ((data[rowAt + x / 8] >> (7 - x % 8)) & 1)
                row[x] = 0;
        }
    }
}

QImage decode(const QByteArray &bytes, const IconImage &icon)
{
    if (icon.png)
        return readEmbeddedImage(bytes, icon.at, "png");
    const BitmapHeader header = iconHeader(bytes, icon.at);
    QImage image = decodeBitmapPixels(bytes, header);
    // A 32-bit image with alpha of its own (decoded as ARGB32) has no use
    // for the mask; compressed images have no known place for one.
    const bool masked = header.coding == BitmapCoding::Plain || header.coding == BitmapCoding::BitFields;
    if (masked && image.format() != QImage::Format_ARGB32)
        applyAndMask(bytes, header, image);
    return image;
}

} // namespace

QImage readIcon(const QByteArray &bytes)
{
    std::vector<IconImage> images = imagesOf(bytes);
    // An image the file holds only the start of, its size however large,
    // comes after those it holds whole.
    std::stable_sort(images.begin(), images.end(), [](const IconImage &a, const IconImage &b) {
        const qint64 areaA = qint64(a.size.width()) * a.size.height();
        const qint64 areaB = qint64(b.size.width()) * b.size.height();
        if (a.whole != b.whole)
            return a.whole;
        return areaA != areaB ? areaA > areaB : a.depth > b.depth;
    });
    // An entry that cannot be shown (or claims a size beyond memory) gives
    // way to the next; only when none can is the first refusal reported.
    std::optional<Error> firstRefusal;
    for (const IconImage &icon : images) {
        try {
            refuseIfTooLarge(icon.size, bytes.size());
            return decode(bytes, icon);
        } catch (const Error &error) {
            if (!firstRefusal)
                firstRefusal = error;
        }
    }
    if (firstRefusal)
        throw *firstRefusal;
    refuseBitmap();
}

} // namespace platform
