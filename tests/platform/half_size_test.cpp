// SPDX-License-Identifier: GPL-2.0-or-later
#include <QImage>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include "platform/controls/StretchedPicture.h"
#include "platform/pictures/HalfSize.h"
#include "support/Pictures.h"

namespace {

QImage noise(QSize size, QImage::Format format)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        QRandomGenerator(7 + y).fillRange(reinterpret_cast<quint32 *>(image.scanLine(y)), size.width());
    return image.convertToFormat(format);
}

} // namespace

TEST(HalfSize, AveragesLikeQtsSmoothScalingWithAnOddLastRowAndColumnDoubled)
{
    const struct { QSize size; QImage::Format format, halved; } cases[] = {
        {{64, 48}, QImage::Format_RGB32, QImage::Format_RGB32}, {{65, 49}, QImage::Format_RGB32, QImage::Format_RGB32},
        {{64, 48}, QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32_Premultiplied},
        {{3, 1}, QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32_Premultiplied},
        {{1, 1}, QImage::Format_RGB32, QImage::Format_RGB32},
        // Other formats come out as 32-bit pixels; indexed colours have alpha.
        {{65, 49}, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied},
        {{64, 48}, QImage::Format_Indexed8, QImage::Format_ARGB32_Premultiplied},
        {{33, 17}, QImage::Format_Grayscale8, QImage::Format_RGB32}, {{64, 48}, QImage::Format_Mono, QImage::Format_RGB32},
        {{31, 16}, QImage::Format_RGB888, QImage::Format_RGB32},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.width() << " × " << c.size.height() << ", " << c.format);
        const QImage source = noise(c.size, c.format);
        // The picture with its odd last row and column repeated: even sides.
        const QImage pixels = source.convertToFormat(c.halved);
        QImage doubled(c.size + QSize(c.size.width() % 2, c.size.height() % 2), c.halved);
        for (int y = 0; y < doubled.height(); ++y)
            for (int x = 0; x < doubled.width(); ++x)
                reinterpret_cast<QRgb *>(doubled.scanLine(y))[x] = reinterpret_cast<const QRgb *>(
                    pixels.constScanLine(std::min(y, c.size.height() - 1)))[std::min(x, c.size.width() - 1)];
        const QImage half = platform::halfSize(source);
        ASSERT_EQ(half.size(), doubled.size() / 2);
        EXPECT_EQ(half.format(), c.halved);
        EXPECT_LE(largestDifference(half, doubled.scaled(half.size(), Qt::IgnoreAspectRatio,
                                                         Qt::SmoothTransformation)), 1);
    }
}

TEST(HalfSize, TheFittedViewDrawsFromTheSmallestHalvingThatCoversIt)
{
    platform::StretchedPicture view(nullptr);
    view.setPicture(std::make_shared<const platform::Picture>(
        platform::Picture::Kind::Bitmap, QImage(1000, 800, QImage::Format_RGB32), QByteArray()));
    const struct { QSize target, source; } cases[] = {
        {{1000, 800}, {1000, 800}}, {{600, 300}, {1000, 800}}, {{500, 400}, {500, 400}},
        {{250, 200}, {250, 200}},   {{10, 10}, {16, 13}},      {{499, 399}, {500, 400}}, // and back up
    };
    for (const auto &c : cases)
        EXPECT_EQ(view.sourceFor(c.target).size(), c.source) << c.target.width() << " × " << c.target.height();
}
