// SPDX-License-Identifier: GPL-2.0-or-later
#include "trim.h"

#include <algorithm>

namespace {

bool isPaper(QRgb pixel)
{
    return qRed(pixel) >= PaperLevel && qGreen(pixel) >= PaperLevel && qBlue(pixel) >= PaperLevel;
}

} // namespace

QRect inkBounds(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width(), right = -1, top = rgb.height(), bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (isPaper(line[x]))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
