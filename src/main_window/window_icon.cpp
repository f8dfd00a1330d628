// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/window_icon.h"

#include <QPixmap>

QList<QRgb> sixteenColourPalette()
{
    return {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255),
        qRgba(0, 0, 0, 0),
    };
}

QImage windowIconImage()
{
    const QList<QRgb> palette = sixteenColourPalette();
    QImage icon(32, 32, QImage::Format_Indexed8);
    icon.setColorTable(palette);
    icon.fill(16);

    auto fill = [&icon](int x0, int y0, int x1, int y1, uint colour) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                icon.setPixel(x, y, colour);
    };

    fill(1, 3, 30, 28, 0);   // outline
    fill(2, 4, 29, 27, 3);   // olive frame
    fill(4, 6, 27, 25, 0);   // inner outline
    fill(5, 7, 26, 24, 14);  // sky

    // The sun.
    for (int y = 9; y <= 14; ++y)
        for (int x = 19; x <= 24; ++x)
            if ((x - 21.5) * (x - 21.5) + (y - 11.5) * (y - 11.5) <= 8.0)
                icon.setPixel(x, y, 11);

    // Two hills, the far one darker.
    for (int x = 5; x <= 26; ++x) {
        const int far = 17 + (x - 12) * (x - 12) / 12;
        const int near = 20 + (x - 22) * (x - 22) / 16;
        for (int y = qMax(7, far); y <= 24; ++y)
            icon.setPixel(x, y, 2);
        for (int y = qMax(7, near); y <= 24; ++y)
            icon.setPixel(x, y, 10);
    }
    return icon;
}

QIcon windowIcon()
{
    return QIcon(QPixmap::fromImage(windowIconImage()));
}
