// SPDX-License-Identifier: GPL-2.0-or-later
#include <QImage>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/RasterDecoder.h"

namespace {

void put(QByteArray &bytes, qsizetype at, quint32 value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

// One bitmap image of an icon: a square of one colour, its AND mask marking
// the top left pixel when `maskTopLeft`.
struct Square
{
    int side;
    int bits;
    QRgb colour;
    bool maskTopLeft = false;
};

QByteArray iconBitmap(const Square &square)
{
    const int side = square.side;
    const int rowBytes = (side * square.bits + 31) / 32 * 4;
    const int maskRowBytes = (side + 31) / 32 * 4;
    const int colours = square.bits <= 8 ? 1 : 0;
    QByteArray bytes(40 + 4 * colours + (rowBytes + maskRowBytes) * side, '\0');
    put(bytes, 0, 40);
    put(bytes, 4, side);
    put(bytes, 8, 2 * side); // colour rows and mask rows
    put(bytes, 12, 1, 2);
    put(bytes, 14, square.bits, 2);
    put(bytes, 32, colours);
    if (colours > 0)
        put(bytes, 40, square.colour & 0xffffff); // every pixel is index 0
    for (int y = 0; y < side && square.bits > 8; ++y) {
        for (int x = 0; x < side; ++x)
            put(bytes, 40 + rowBytes * y + x * square.bits / 8, square.colour, square.bits / 8);
    }
    if (square.maskTopLeft) // rows bottom-up: the top row is the last
        bytes[bytes.size() - maskRowBytes] = char(0x80);
    return bytes;
}

struct Entry
{
    QByteArray image{};
    qint64 offsetShift = 0; // added to the true offset: a directory's lie
    qint64 sizeShift = 0;
};

QByteArray iconFile(const QList<Entry> &entries, int count = -1)
{
    QByteArray bytes(6 + 16 * entries.size(), '\0');
    put(bytes, 2, 1, 2);
    put(bytes, 4, quint32(count < 0 ? entries.size() : count), 2);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const qsizetype entry = 6 + 16 * i;
        put(bytes, entry + 8, quint32(entries[i].image.size() + entries[i].sizeShift));
        put(bytes, entry + 12, quint32(bytes.size() + entries[i].offsetShift));
        bytes += entries[i].image;
    }
    return bytes;
}

constexpr QRgb Red = 0xffff0000;
constexpr QRgb Green = 0xff00ff00;
constexpr QRgb Blue = 0xff0000ff;

} // namespace

TEST(IconReader, ShowsTheLargestDeepestImageWithItsMask)
{
    const struct
    {
        const char *name;
        QList<Entry> entries;
        int side;
        QRgb colour;
        QRgb topLeft;
    } cases[] = {
        {"the deepest of equal size", {{iconBitmap({16, 8, Red})}, {iconBitmap({16, 32, Green})}, {iconBitmap({8, 32, Blue})}},
         16, Green, Green},
        {"the largest before the deepest", {{iconBitmap({16, 32, Red})}, {iconBitmap({32, 24, Blue, true})}},
         32, Blue, 0},
        {"the mask of a 1-bit image", {{iconBitmap({8, 1, Red, true})}}, 8, Red, 0},
        {"the mask of a 32-bit image without alpha", {{iconBitmap({8, 32, Green & 0xffffff, true})}}, 8,
         Green, 0},
        {"a 32-bit image's own alpha instead of its mask",
         {{iconBitmap({8, 32, qRgba(0, 255, 0, 128), true})}}, 8, qRgba(0, 255, 0, 128),
         qRgba(0, 255, 0, 128)},
        {"the image left when the directory lies about another",
         {{iconBitmap({32, 24, Red}), 1 << 20}, {iconBitmap({16, 24, Blue})}}, 16, Blue, Blue},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = platform::decodeRaster(iconFile(c.entries))->image().convertToFormat(
            QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(c.side, c.side));
        EXPECT_EQ(image.pixel(0, 0), c.topLeft);
        EXPECT_EQ(image.pixel(c.side - 1, c.side - 1), c.colour);
    }
}

TEST(IconReader, RefusesADirectoryThatLiesAboutItsImages)
{
    const QByteArray image = iconBitmap({16, 24, Red});
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"offset past the end", iconFile({{image, 1 << 20}})},
        {"size past the end", iconFile({{image, 0, 1}})},
        {"more entries than the file holds", iconFile({{image}}, 200)},
        {"no entries", iconFile({})},
    };
    for (const auto &c : cases) {
        try {
            platform::decodeRaster(c.bytes);
            ADD_FAILURE() << c.name << " was shown";
        } catch (const platform::Error &error) {
            EXPECT_EQ(error.number, platform::errc::InvalidPicture) << c.name;
        }
    }
}
