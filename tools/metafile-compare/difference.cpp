// SPDX-License-Identifier: GPL-2.0-or-later
#include "difference.h"

#include <cstdlib>

namespace {

bool sameColour(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= ChannelTolerance
        && std::abs(qGreen(a) - qGreen(b)) <= ChannelTolerance
        && std::abs(qBlue(a) - qBlue(b)) <= ChannelTolerance;
}

QRgb pale(QRgb pixel)
{
    const int grey = 255 - (255 - qGray(pixel)) / 4;
    return qRgb(grey, grey, grey);
}

} // namespace

QImage fitToCompareBox(const QImage &picture)
{
    return picture.scaled(CompareSide, CompareSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

Difference compare(const QImage &ours, const QImage &reference)
{
    const int width = std::max(ours.width(), reference.width());
    const int height = std::max(ours.height(), reference.height());
    Difference result;
    result.compared = qint64(width) * height;
    result.map = QImage(width, height, QImage::Format_RGB32);
    const QRgb red = qRgb(220, 0, 0);
    for (int y = 0; y < height; ++y) {
        auto *out = reinterpret_cast<QRgb *>(result.map.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool inOurs = x < ours.width() && y < ours.height();
            const bool inReference = x < reference.width() && y < reference.height();
            if (inOurs && inReference && sameColour(ours.pixel(x, y), reference.pixel(x, y))) {
                out[x] = pale(ours.pixel(x, y));
            } else {
                out[x] = red;
                ++result.differing;
            }
        }
    }
    return result;
}
