// SPDX-License-Identifier: GPL-2.0-or-later
#include "about/about_icons.h"

#include <QImage>
#include <QPixmap>

#include <cmath>

#include "main_window/window_icon.h"

namespace {

// Palette indexes of the 16-colour palette.
enum : uint { Black = 0, Maroon = 1, Green = 2, Olive = 3, Navy = 4, Purple = 5, Teal = 6,
              Silver = 7, Grey = 8, Red = 9, Lime = 10, Yellow = 11, Blue = 12, Fuchsia = 13,
              Cyan = 14, White = 15 };

QImage canvas(int size, uint background)
{
    QImage image(size, size, QImage::Format_Indexed8);
    image.setColorTable(sixteenColourPalette());
    image.fill(background);
    return image;
}

void disc(QImage &image, double cx, double cy, double r, uint colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy) <= r * r)
                image.setPixel(x, y, colour);
}

QImage strokes(int size)
{
    QImage image = canvas(size, Black);
    const uint colours[] = {Red, Yellow, Lime, Cyan, Fuchsia};
    const double scale = size / 32.0;
    for (int i = 0; i < 5; ++i) {
        // Diagonal brush strokes, each a little wave.
        for (int t = 0; t < size; ++t) {
            const int x = t;
            const int y = int(3 * scale + i * 6 * scale + 2 * scale * std::sin(t / (3.0 * scale)));
            for (int w = 0; w < int(2 * scale + 0.5); ++w)
                if (y + w >= 0 && y + w < size)
                    image.setPixel(x, y + w, colours[i]);
        }
    }
    return image;
}

QImage eye(int size)
{
    QImage image = canvas(size, Black);
    const double c = size / 2.0;
    // The white of the eye: where two circles overlap, an almond.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double r = size * 0.62;
            if (dx * dx + (dy - size * 0.42) * (dy - size * 0.42) <= r * r
                && dx * dx + (dy + size * 0.42) * (dy + size * 0.42) <= r * r)
                image.setPixel(x, y, White);
        }
    disc(image, c, c, size * 0.2, Blue);
    disc(image, c, c, size * 0.09, Black);
    disc(image, c - size * 0.06, c - size * 0.06, size * 0.035, White);
    return image;
}

QImage balloons(int size)
{
    QImage image = canvas(size, Cyan);
    const double s = size / 32.0;
    // Strings first, balloons over them.
    for (int y = int(16 * s); y < size; ++y) {
        image.setPixel(int(9 * s), y, Black);
        image.setPixel(int(16 * s + (y - 16 * s) / 4), y, Black);
        image.setPixel(int(23 * s), y, Black);
    }
    disc(image, 9 * s, 11 * s, 6 * s, Red);
    disc(image, 23 * s, 10 * s, 6 * s, Yellow);
    disc(image, 16 * s, 15 * s, 6 * s, Blue);
    return image;
}

QIcon iconOf(std::initializer_list<QImage> images)
{
    QIcon icon;
    for (const QImage &image : images)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

} // namespace

QIcon strokesIcon()
{
    return iconOf({strokes(32)});
}

QIcon eyeIcon()
{
    return iconOf({eye(32), eye(16)});
}

QIcon balloonsIcon()
{
    return iconOf({balloons(32), balloons(16)});
}
