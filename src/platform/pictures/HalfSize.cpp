// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/HalfSize.h"

#include "platform/pictures/Prefault.h"

namespace platform {

namespace {

// The average of four pixels, channel by channel, two channels at a time.
inline QRgb average(QRgb a, QRgb b, QRgb c, QRgb d)
{
    constexpr quint64 evenChannels = 0x00ff00ffu;
    const quint64 even = (a & evenChannels) + (b & evenChannels) + (c & evenChannels)
        + (d & evenChannels) + 0x00020002u;
    const quint64 odd = ((a >> 8) & evenChannels) + ((b >> 8) & evenChannels)
        + ((c >> 8) & evenChannels) + ((d >> 8) & evenChannels) + 0x00020002u;
    return QRgb(((even >> 2) & evenChannels) | (((odd >> 2) & evenChannels) << 8));
}

void halveRows(const QRgb *upper, const QRgb *lower, QRgb *out, int sourceWidth)
{
    const int pairs = sourceWidth / 2;
    for (int x = 0; x < pairs; ++x)
        out[x] = average(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
    if (sourceWidth % 2 != 0) {
        const int last = sourceWidth - 1;
        out[pairs] = average(upper[last], upper[last], lower[last], lower[last]);
    }
}

// The formats averaged straight from the picture's own rows.
bool isAveragedInPlace(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

// Row `y` of a picture of another format (paletted, grey, straight alpha,
// 16 or 24 bits) as 32-bit pixels. One row at a time, because Qt converts a
// picture that small on the calling thread: a large one it would spread over
// its global pool, which painting needs and waits for.
QImage rowAs32Bits(const QImage &image, int y, QImage::Format format)
{
    return image.copy(0, y, image.width(), 1).convertToFormat(format);
}

} // namespace

QSize halvedSize(QSize size)
{
    return {(size.width() + 1) / 2, (size.height() + 1) / 2};
}

QImage halfSize(const QImage &image)
{
    if (image.isNull())
        return {};
    const QSize half = halvedSize(image.size());
    const bool inPlace = isAveragedInPlace(image.format());
    const QImage::Format format = inPlace ? image.format()
        : image.hasAlphaChannel()         ? QImage::Format_ARGB32_Premultiplied
                                          : QImage::Format_RGB32;
    QImage result(half, format);
    if (result.isNull())
        return {};
    prefault(result.bits(), std::size_t(result.sizeInBytes()));
    const int lastRow = image.height() - 1;
    QImage upper, lower;
    for (int y = 0; y < half.height(); ++y) {
        const int second = std::min(2 * y + 1, lastRow);
        if (!inPlace) {
            upper = rowAs32Bits(image, 2 * y, format);
            lower = rowAs32Bits(image, second, format);
            if (upper.isNull() || lower.isNull())
                return {};
        }
        halveRows(reinterpret_cast<const QRgb *>(inPlace ? image.constScanLine(2 * y) : upper.constBits()),
                  reinterpret_cast<const QRgb *>(inPlace ? image.constScanLine(second) : lower.constBits()),
                  reinterpret_cast<QRgb *>(result.scanLine(y)), image.width());
    }
    result.setDotsPerMeterX(image.dotsPerMeterX() / 2);
    result.setDotsPerMeterY(image.dotsPerMeterY() / 2);
    return result;
}

int halvingsFor(QSize size, QSize target)
{
    int halvings = 0;
    for (QSize half = halvedSize(size); half != size && half.width() >= target.width()
         && half.height() >= target.height();
         size = half, half = halvedSize(size))
        ++halvings;
    return halvings;
}

QImage reducedFor(const QImage &image, QSize target)
{
    const int halvings = halvingsFor(image.size(), target);
    QImage smaller;
    for (int i = 0; i < halvings; ++i) {
        smaller = halfSize(i == 0 ? image : smaller);
        if (smaller.isNull())
            return {};
    }
    return smaller;
}

} // namespace platform
