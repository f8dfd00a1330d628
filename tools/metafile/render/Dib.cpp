// SPDX-License-Identifier: GPL-2.0-or-later
#include "Dib.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <cstring>

#include "platform/pictures/BitmapReader.h"
#include "platform/system/Error.h"

namespace metafile {

namespace {

using platform::BitmapCoding;
using platform::BitmapHeader;

// AlphaBlend's 32-bit pixels: blue, green, red and premultiplied alpha.
QImage premultiplied(const QByteArray &dib, const BitmapHeader &header)
{
    const qint64 rowBytes = qint64(header.width) * 4;
    if (rowBytes * header.height > dib.size() - header.pixelsAt)
        return {};
    QImage image(header.width, header.height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    for (int y = 0; y < header.height; ++y) {
        const qint64 row = header.topDown ? y : header.height - 1 - y;
        memcpy(image.scanLine(y), dib.constData() + header.pixelsAt + row * rowBytes, size_t(rowBytes));
    }
    return image;
}

// A JPEG or PNG a bitmap header wraps: read only by that format's reader,
// and only when it is as large as the header says and within the limit.
QImage embeddedImage(const QByteArray &dib, const BitmapHeader &header)
{
    QByteArray data = QByteArray::fromRawData(dib.constData() + header.pixelsAt, dib.size() - header.pixelsAt);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, header.coding == BitmapCoding::Jpeg ? "jpeg" : "png");
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(int((MaxDibPixels * 4) >> 20));
    if (reader.size() != QSize(header.width, header.height))
        return {};
    return reader.read();
}

// A blit copies the colours of pixels with an alpha channel as they are.
QImage withoutAlpha(QImage image)
{
    if (image.format() != QImage::Format_ARGB32)
        return image;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] |= 0xFF000000u;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

// The DIB in `dib`, its pixels at `pixelsAt` (0: right after the colour
// table).
QImage decode(const QByteArray &dib, qint64 pixelsAt, bool alpha)
{
    try {
        const BitmapHeader header = platform::readBitmapHeader(dib, 0, pixelsAt);
        if (qint64(header.width) * header.height > MaxDibPixels)
            return {};
        if (header.coding == BitmapCoding::Jpeg || header.coding == BitmapCoding::Png)
            return embeddedImage(dib, header);
        if (alpha && header.bitsPerPixel == 32 && header.coding == BitmapCoding::Plain)
            return premultiplied(dib, header);
        const QImage image = platform::decodeBitmapPixels(dib, header);
        return alpha ? image : withoutAlpha(image);
    } catch (const platform::Error &) {
        return {};
    }
}

} // namespace

QImage dibToImage(QByteArrayView info, QByteArrayView bits, bool alpha)
{
    QByteArray dib;
    dib.reserve(info.size() + bits.size());
    dib.append(info).append(bits);
    return decode(dib, info.size(), alpha);
}

QImage packedDibToImage(QByteArrayView packed)
{
    return decode(QByteArray::fromRawData(packed.data(), packed.size()), 0, false);
}

bool dibBottomUp(QByteArrayView info)
{
    // Core headers have no top-down form.
    if (info.size() < 12 || qFromLittleEndian<quint32>(info.data()) == 12)
        return true;
    return qFromLittleEndian<qint32>(info.data() + 8) > 0;
}

} // namespace metafile
