#include <QImage>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include "platform/HalfSize.h"

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
    const struct
    {
        const char *name;
        QSize size;
        QImage::Format format;
    } cases[] = {
        {"opaque", {64, 48}, QImage::Format_RGB32},
        {"premultiplied", {64, 48}, QImage::Format_ARGB32_Premultiplied},
        {"odd sides drop their last row and column", {65, 49}, QImage::Format_RGB32},
        {"other formats go through Qt", {64, 48}, QImage::Format_ARGB32},
        {"one pixel high", {64, 1}, QImage::Format_RGB32},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QImage source = noise(c.size, c.format);
        const QImage half = platform::halfSize(source);
        if (c.size.height() < 2) {
            EXPECT_TRUE(half.isNull());
            continue;
        }
        ASSERT_EQ(half.size(), QSize(c.size.width() / 2, c.size.height() / 2));
        EXPECT_EQ(half.format(), c.format);
        const QImage even = source.copy(QRect(QPoint(0, 0), half.size() * 2));
        const QImage expected = even.scaled(half.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LE(largestDifference(half, expected), 1);
    }
}
