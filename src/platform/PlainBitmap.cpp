#include "platform/PlainBitmap.h"

#include <new>

#include "platform/ByteFields.h"
#include "platform/Prefault.h"

namespace platform {

namespace {

constexpr qsizetype FileHeaderBytes = 14;

void convertRow(const uchar *bgr, QRgb *out, int width)
{
    for (int x = 0; x < width; ++x, bgr += 3)
        out[x] = 0xff000000u | uint(bgr[2]) << 16 | uint(bgr[1]) << 8 | bgr[0];
}

} // namespace

QImage decodePlainBitmap(const QByteArray &bytes)
{
    if (!bytes.startsWith("BM") || bytes.size() < FileHeaderBytes + 40)
        return {};
    const qint64 pixelsAt = quint32(fieldAt<qint32>(bytes, 10));
    const qint32 headerBytes = fieldAt<qint32>(bytes, 14);
    const qint32 width = fieldAt<qint32>(bytes, 18);
    const qint32 height = fieldAt<qint32>(bytes, 22);
    const bool plain = (headerBytes == 40 || headerBytes == 108 || headerBytes == 124)
        && fieldAt<quint16>(bytes, 26) == 1    // planes
        && fieldAt<quint16>(bytes, 28) == 24   // bits per pixel
        && fieldAt<qint32>(bytes, 30) == 0;   // no compression
    if (!plain || width <= 0 || height == 0 || height == INT32_MIN)
        return {};

    // Rows are stored bottom-up unless the height is negative.
    const int rows = qAbs(height);
    const qint64 stride = (qint64(width) * 3 + 3) & ~qint64(3);
    const qint64 available = bytes.size() - pixelsAt;
    if (pixelsAt < FileHeaderBytes + headerBytes || available < 0 || stride > available / rows)
        return {};

    QImage image(width, rows, QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    prefault(image.bits(), std::size_t(image.sizeInBytes()));
    image.setDotsPerMeterX(fieldAt<qint32>(bytes, 38));
    image.setDotsPerMeterY(fieldAt<qint32>(bytes, 42));

    const auto *pixels = reinterpret_cast<const uchar *>(bytes.constData()) + pixelsAt;
    uchar *out = image.bits();
    for (int y = 0; y < rows; ++y) {
        const int stored = height > 0 ? rows - 1 - y : y;
        convertRow(pixels + stride * stored,
                   reinterpret_cast<QRgb *>(out + image.bytesPerLine() * qsizetype(y)), width);
    }
    return image;
}

} // namespace platform
