#pragma once

#include <QImage>

#include <array>
#include <vector>

#include "platform/BitmapHeader.h"

namespace platform {

// Turns stored rows of uncompressed pixels, of any depth and channel
// layout, into 32-bit ones (QImage's ARGB32 order).
class RowFormat
{
public:
    explicit RowFormat(const BitmapHeader &header);

    // Whether the pixels carry an alpha channel.
    bool hasAlpha() const { return hasAlpha_; }

    // Converts the first `count` pixels of the stored row at `in`.
    void convert(const uchar *in, QRgb *out, int count) const;

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

// The row of `image` that holds stored row `stored` of a picture stored
// bottom-up unless `topDown`.
inline QRgb *pictureRow(QImage &image, int stored, bool topDown)
{
    const int y = topDown ? stored : image.height() - 1 - stored;
    return reinterpret_cast<QRgb *>(image.scanLine(y));
}

// Converts the uncompressed rows the file holds into `image`, sized for
// the header's picture. Returns how many stored rows the file held, the
// last one perhaps in part.
int convertRows(const QByteArray &bytes, const BitmapHeader &header, const RowFormat &format,
                QImage &image);

} // namespace platform
