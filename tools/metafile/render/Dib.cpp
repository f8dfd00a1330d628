// SPDX-License-Identifier: GPL-2.0-or-later
#include "Dib.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>
#include <cstring>

namespace metafile {

namespace {

constexpr quint32 BI_BITFIELDS = 3;
constexpr quint32 BI_JPEG = 4;
constexpr quint32 BI_PNG = 5;

template<typename T>
T field(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.data() + at);
}

struct DibShape
{
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    quint32 compression = 0;
    qsizetype colourBytes = 0; // the colour table and masks after the header
};

bool readShape(QByteArrayView info, DibShape &shape)
{
    if (info.size() < 12)
        return false;
    const quint32 headerSize = field<quint32>(info, 0);
    if (headerSize == 12) { // BITMAPCOREHEADER
        shape.width = field<quint16>(info, 4);
        shape.height = field<quint16>(info, 6);
        shape.bitCount = field<quint16>(info, 10);
        shape.colourBytes = shape.bitCount <= 8 ? (qsizetype(1) << shape.bitCount) * 3 : 0;
        return true;
    }
    if (headerSize < 40 || info.size() < 40)
        return false;
    shape.width = field<qint32>(info, 4);
    shape.height = std::abs(qint64(field<qint32>(info, 8)));
    shape.bitCount = field<quint16>(info, 14);
    shape.compression = field<quint32>(info, 16);
    const quint32 used = field<quint32>(info, 32);
    qint64 colours = shape.bitCount <= 8 ? (used ? used : (qint64(1) << shape.bitCount)) : used;
    colours = std::min<qint64>(colours, 256);
    const qsizetype masks = (shape.compression == BI_BITFIELDS && headerSize == 40) ? 12 : 0;
    shape.colourBytes = qsizetype(colours * 4 + masks);
    return true;
}

QImage premultiplied(QByteArrayView info, QByteArrayView bits, const DibShape &shape)
{
    const qint64 rowBytes = shape.width * 4;
    if (rowBytes * shape.height > bits.size())
        return {};
    QImage image(int(shape.width), int(shape.height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    const bool bottomUp = field<qint32>(info, 8) > 0;
    for (int y = 0; y < image.height(); ++y) {
        const qint64 row = bottomUp ? shape.height - 1 - y : y;
        memcpy(image.scanLine(y), bits.data() + row * rowBytes, size_t(rowBytes));
    }
    return image;
}

// A JPEG or PNG a bitmap header wraps: read only by that format's reader,
// and only when it is as large as the header says and within the limit.
QImage embeddedImage(QByteArrayView bits, const DibShape &shape)
{
    QByteArray data = QByteArray::fromRawData(bits.data(), bits.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, shape.compression == BI_JPEG ? "jpeg" : "png");
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(int((MaxDibPixels * 4) >> 20));
    const QSize size = reader.size();
    if (!size.isValid() || size.width() != shape.width || size.height() != shape.height
        || qint64(size.width()) * size.height() > MaxDibPixels)
        return {};
    return reader.read();
}

} // namespace

QImage dibToImage(QByteArrayView info, QByteArrayView bits, bool alpha)
{
    DibShape shape;
    if (!readShape(info, shape) || shape.width <= 0 || shape.height <= 0
        || shape.width * shape.height > MaxDibPixels)
        return {};
    if (alpha && shape.bitCount == 32 && shape.compression == 0)
        return premultiplied(info, bits, shape);
    if (shape.compression == BI_JPEG || shape.compression == BI_PNG)
        return embeddedImage(bits, shape);

    const qsizetype headerSize = qsizetype(field<quint32>(info, 0));
    const qsizetype infoSize = std::min<qsizetype>(info.size(), headerSize + shape.colourBytes);
    // Uncompressed rows must all be there; a short bitmap is not shown.
    const qint64 stride = ((shape.width * shape.bitCount + 31) / 32) * 4;
    if (shape.compression == 0 && stride * shape.height > bits.size())
        return {};

    QByteArray file;
    const quint32 offset = quint32(14 + infoSize);
    file.reserve(qsizetype(offset) + bits.size());
    file.append("BM", 2);
    const auto put32 = [&file](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        file.append(bytes, 4);
    };
    put32(quint32(offset + bits.size()));
    put32(0);
    put32(offset);
    file.append(info.first(infoSize));
    file.append(bits);
    return QImage::fromData(file, "BMP");
}

QImage packedDibToImage(QByteArrayView packed)
{
    DibShape shape;
    if (!readShape(packed, shape))
        return {};
    const qsizetype infoSize = qsizetype(field<quint32>(packed, 0)) + shape.colourBytes;
    if (infoSize > packed.size())
        return {};
    return dibToImage(packed.first(infoSize), packed.sliced(infoSize));
}

} // namespace metafile
