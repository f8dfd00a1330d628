// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>

#include <array>
#include <vector>

#include "platform/pictures/BitmapHeader.h"

namespace platform {

// Turns stored rows of uncompressed pixels, of any depth and channel
// layout, into 32-bit ones (QImage's ARGB32 order), or those of a colour
// table into one index a byte.
class RowFormat
{
public:
    explicit RowFormat(const BitmapHeader &header);

    // Whether the pixels carry an alpha channel.
    bool hasAlpha() const { return hasAlpha_; }
    // Whether the pixels are indices into a colour table.
    bool paletted() const { return layout_ == Layout::Indexed; }
    // The colour table over every index the depth allows, for a paletted
    // picture.
    QList<QRgb> colourTable() const { return {palette_.begin(), palette_.begin() + (1 << bits_)}; }

    // Converts the first `count` pixels of the stored row at `in`.
    void convert(const uchar *in, QRgb *out, int count) const;
    // Unpacks the first `count` indices of a paletted picture's stored row.
    void indices(const uchar *in, uchar *out, int count) const;

private:
    enum class Layout { Indexed, Bgr24, Bgrx32, Bgra32, Table16, Masked32, Linear64 };

    struct Channel
    {
        quint32 mask = 0;
        int shift = 0;
        quint64 scale = 0; // to 0..255, in 32.32 fixed point
    };

    QRgb masked(quint32 pixel) const;
    void convertIndexed(const uchar *in, QRgb *out, int count) const;

    Layout layout_ = Layout::Indexed;
    int bits_ = 0;
    bool hasAlpha_ = false;
    std::array<QRgb, 256> palette_{};
    std::array<Channel, 4> channels_{}; // red, green, blue, alpha
    std::vector<QRgb> table16_;         // every 16-bit pixel's colour
};

// The header's colour table over all 256 indices: those past its end show
// black.
std::array<QRgb, 256> fullPalette(const BitmapHeader &header);

// The line of `image` that holds stored row `stored` of a picture stored
// bottom-up unless `topDown`.
inline uchar *pictureLine(QImage &image, int stored, bool topDown)
{
    return image.scanLine(topDown ? stored : image.height() - 1 - stored);
}

inline QRgb *pictureRow(QImage &image, int stored, bool topDown)
{
    return reinterpret_cast<QRgb *>(pictureLine(image, stored, topDown));
}

// Converts the uncompressed rows the file holds into `image`, sized for
// the header's picture: a 32-bit one, or for a paletted picture an
// Indexed8 one, or a Mono one for one bit per pixel. Returns how many stored rows the file held, the
// last one perhaps in part.
int convertRows(const QByteArray &bytes, const BitmapHeader &header, const RowFormat &format,
                QImage &image);

} // namespace platform
