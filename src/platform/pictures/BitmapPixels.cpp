// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BitmapPixels.h"

#include <QtEndian>

#include <bit>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

constexpr ChannelMasks OrdinaryMasks{0x00ff0000, 0x0000ff00, 0x000000ff, 0};

bool sameColourMasks(const ChannelMasks &a, const ChannelMasks &b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// 64-bit pixels hold signed fixed-point values (2 integer, 13 fraction
// bits) of linear light; the screen wants sRGB.
constexpr int LinearOne = 1 << 13;

const std::array<uchar, LinearOne + 1> &linearToSrgb()
{
    static const auto table = [] {
        std::array<uchar, LinearOne + 1> t{};
        for (int v = 0; v <= LinearOne; ++v) {
            const double linear = double(v) / LinearOne;
            const double encoded = linear <= 0.0031308 ? 12.92 * linear
                                                       : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
            t[std::size_t(v)] = uchar(std::lround(encoded * 255));
        }
        return t;
    }();
    return table;
}

inline int clampLinear(qint16 value)
{
    return std::clamp<int>(value, 0, LinearOne);
}

} // namespace

std::array<QRgb, 256> fullPalette(const BitmapHeader &header)
{
    std::array<QRgb, 256> palette;
    palette.fill(qRgb(0, 0, 0));
    std::copy_n(header.palette.begin(), std::min<std::size_t>(header.palette.size(), 256),
                palette.begin());
    return palette;
}

RowFormat::RowFormat(const BitmapHeader &header) : bits_(header.bitsPerPixel)
{
    ChannelMasks masks = header.masks;
    if (bits_ == 16) {
        for (quint32 *mask : {&masks.red, &masks.green, &masks.blue, &masks.alpha})
            *mask &= 0xffff;
    }
    const auto channel = [](quint32 mask) {
        if (mask == 0)
            return Channel{};
        const int shift = std::countr_zero(mask);
        const quint64 largest = mask >> shift;
        return Channel{mask, shift, ((quint64(255) << 32) + largest / 2) / largest};
    };
    channels_ = {channel(masks.red), channel(masks.green), channel(masks.blue), channel(masks.alpha)};
    hasAlpha_ = masks.alpha != 0;

    if (bits_ <= 8) {
        layout_ = Layout::Indexed;
        palette_ = fullPalette(header);
    } else if (bits_ == 24) {
        layout_ = Layout::Bgr24;
    } else if (bits_ == 64) {
        layout_ = Layout::Linear64;
        hasAlpha_ = true;
    } else if (bits_ == 16) {
        layout_ = Layout::Table16;
        table16_.resize(1 << 16);
        for (quint32 pixel = 0; pixel < table16_.size(); ++pixel)
            table16_[pixel] = masked(pixel);
    } else if (sameColourMasks(masks, OrdinaryMasks) && (masks.alpha == 0 || masks.alpha == 0xff000000)) {
        layout_ = masks.alpha == 0 ? Layout::Bgrx32 : Layout::Bgra32;
    } else {
        layout_ = Layout::Masked32;
    }
}

QRgb RowFormat::masked(quint32 pixel) const
{
    const auto value = [pixel](const Channel &c) {
        return int((quint64((pixel & c.mask) >> c.shift) * c.scale + (quint64(1) << 31)) >> 32);
    };
    return qRgba(value(channels_[0]), value(channels_[1]), value(channels_[2]),
                 hasAlpha_ ? value(channels_[3]) : 255);
}

void RowFormat::indices(const uchar *in, uchar *out, int count) const
{
    if (bits_ == 8) {
        std::memcpy(out, in, std::size_t(count));
        return;
    }
    const int perByte = 8 / bits_;
    const int mask = (1 << bits_) - 1;
    for (int x = 0; x < count; ++x)
        out[x] = uchar((in[x / perByte] >> (8 - bits_ * (x % perByte + 1))) & mask);
}

void RowFormat::convertIndexed(const uchar *in, QRgb *out, int count) const
{
    if (bits_ == 8) {
        for (int x = 0; x < count; ++x)
            out[x] = palette_[in[x]];
        return;
    }
    const int perByte = 8 / bits_;
    const int mask = (1 << bits_) - 1;
    for (int x = 0; x < count; ++x) {
        const int shift = 8 - bits_ * (x % perByte + 1); // leftmost pixel in the high bits
        out[x] = palette_[(in[x / perByte] >> shift) & mask];
    }
}

void RowFormat::convert(const uchar *in, QRgb *out, int count) const
{
    switch (layout_) {
    case Layout::Indexed:
        convertIndexed(in, out, count);
        break;
    case Layout::Bgr24:
        for (int x = 0; x < count; ++x, in += 3)
            out[x] = 0xff000000u | uint(in[2]) << 16 | uint(in[1]) << 8 | in[0];
        break;
    case Layout::Bgrx32:
        for (int x = 0; x < count; ++x)
            out[x] = qFromLittleEndian<quint32>(in + 4 * x) | 0xff000000u;
        break;
    case Layout::Bgra32:
        for (int x = 0; x < count; ++x)
            out[x] = qFromLittleEndian<quint32>(in + 4 * x);
        break;
    case Layout::Table16:
        for (int x = 0; x < count; ++x)
            out[x] = table16_[qFromLittleEndian<quint16>(in + 2 * x)];
        break;
    case Layout::Masked32:
        for (int x = 0; x < count; ++x)
            out[x] = masked(qFromLittleEndian<quint32>(in + 4 * x));
        break;
    case Layout::Linear64: {
        const auto &srgb = linearToSrgb();
        for (int x = 0; x < count; ++x, in += 8) {
            const auto channel = [in](int i) { return clampLinear(qFromLittleEndian<qint16>(in + 2 * i)); };
            const int alpha = (channel(3) * 255 + LinearOne / 2) / LinearOne;
            out[x] = qRgba(srgb[channel(2)], srgb[channel(1)], srgb[channel(0)], alpha);
        }
        break;
    }
    }
}

int convertRows(const QByteArray &bytes, const BitmapHeader &header, const RowFormat &format,
                QImage &image)
{
    const qint64 stride = bitmapRowBytes(header.width, header.bitsPerPixel);
    const qint64 available = bytes.size() - header.pixelsAt;
    const auto *pixels = reinterpret_cast<const uchar *>(bytes.constData()) + header.pixelsAt;
    int stored = 0;
    for (; stored < header.height && stride * stored < available; ++stored) {
        // A file cut short ends in a partial row: its whole pixels are shown.
        const qint64 left = available - stride * stored;
        const int count = int(std::min<qint64>(header.width, left * 8 / header.bitsPerPixel));
        const uchar *in = pixels + stride * stored;
        uchar *line = pictureLine(image, stored, header.topDown);
        if (image.format() == QImage::Format_Mono) // bits as the file stores them
            std::memcpy(line, in, std::size_t(count + 7) / 8);
        else if (image.format() == QImage::Format_Indexed8)
            format.indices(in, line, count);
        else
            format.convert(in, reinterpret_cast<QRgb *>(line), count);
    }
    return stored;
}

} // namespace platform
