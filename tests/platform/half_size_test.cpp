// SPDX-License-Identifier: GPL-2.0-or-later
#include <QImage>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include "platform/HalfSize.h"
#include "platform/StretchedPicture.h"

namespace {

QImage noise(QSize size, QImage::Format format)
{
    QImage image(size, QImage::Format_ARGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random.generate() | (format == QImage::Format_RGB32 ? 0xff000000u : 0u));
    return image.convertToFormat(format);
}

int largestDifference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return worst;
}

} // namespace

TEST(HalfSize, AveragesLikeQtsSmoothScaling)
{
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        SCOPED_TRACE(format);
        const QImage source = noise({64, 48}, format);
        const QImage half = platform::halfSize(source);
        ASSERT_EQ(half.size(), QSize(32, 24));
        EXPECT_EQ(half.format(), format);
        EXPECT_LE(largestDifference(half, source.scaled(32, 24, Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation)), 1);
    }
}

TEST(HalfSize, KeepsAnOddLastRowAndColumn)
{
    // A white frame on the right and at the bottom of a black picture.
    for (const QSize size : {QSize(65, 49), QSize(3, 1), QSize(1, 1)}) {
        SCOPED_TRACE(testing::Message() << size.width() << " × " << size.height());
        QImage source(size, QImage::Format_RGB32);
        source.fill(Qt::black);
        for (int y = 0; y < size.height(); ++y)
            source.setPixel(size.width() - 1, y, qRgb(255, 255, 255));
        for (int x = 0; x < size.width(); ++x)
            source.setPixel(x, size.height() - 1, qRgb(255, 255, 255));

        const QImage half = platform::halfSize(source);
        ASSERT_EQ(half.size(), platform::halvedSize(size));
        ASSERT_EQ(half.size(), QSize((size.width() + 1) / 2, (size.height() + 1) / 2));
        const QPoint corner(half.width() - 1, half.height() - 1);
        EXPECT_EQ(half.pixel(corner), qRgb(255, 255, 255));
        EXPECT_EQ(half.pixel(corner.x(), 0), qRgb(255, 255, 255));
        EXPECT_EQ(half.pixel(0, corner.y()), qRgb(255, 255, 255));
        if (half.width() > 1 && half.height() > 1) {
            EXPECT_EQ(half.pixel(0, 0), qRgb(0, 0, 0));
        }
    }
}

TEST(HalfSize, TheFittedViewDrawsFromTheSmallestHalvingThatCoversIt)
{
    platform::StretchedPicture view(nullptr);
    QImage image(1000, 800, QImage::Format_RGB32);
    image.fill(Qt::gray);
    view.setPicture(std::make_shared<const platform::Picture>(platform::Picture::Kind::Bitmap, image,
                                                              QByteArray()));
    const struct
    {
        QSize target, source;
    } cases[] = {
        {{1000, 800}, {1000, 800}}, {{600, 300}, {1000, 800}}, {{500, 400}, {500, 400}},
        {{250, 200}, {250, 200}},   {{10, 10}, {16, 13}},      {{499, 399}, {500, 400}}, // and back up
    };
    for (const auto &c : cases)
        EXPECT_EQ(view.sourceFor(c.target).size(), c.source) << c.target.width() << " × " << c.target.height();
}
