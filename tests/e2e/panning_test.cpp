// SPDX-License-Identifier: GPL-2.0-or-later
#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "Viewer.h"
#include "support/QtPrinting.h"

namespace {

// A picture whose every pixel names its own place in it.
QRgb codeFor(int x, int y)
{
    return qRgb(x & 0xff, (x >> 8) << 4 | (y >> 8), y & 0xff);
}

QPoint placeNamedBy(QRgb pixel)
{
    return {qRed(pixel) | (qGreen(pixel) >> 4) << 8, qBlue(pixel) | (qGreen(pixel) & 0xf) << 8};
}

// Where the picture's top-left corner lies in a screenshot, by the pixel
// in the middle (the picture covers the middle of the window), and the
// bounds of the pixels that agree with it.
struct Placement
{
    QPoint origin;
    QRect area;
};

Placement placementIn(const QImage &shot)
{
    const QPoint middle(shot.width() / 2, shot.height() / 2);
    Placement placement{middle - placeNamedBy(shot.pixel(middle)), {}};
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (QPoint(x, y) - placeNamedBy(shot.pixel(x, y)) == placement.origin)
                placement.area |= QRect(x, y, 1, 1);
    return placement;
}

// Pixels in `area` of the screenshot that do not show the picture placed
// at `origin`.
int misplacedPixels(const QImage &shot, const QRect &area, QPoint origin)
{
    int misplaced = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (QPoint(x, y) - placeNamedBy(shot.pixel(x, y)) != origin)
                ++misplaced;
    return misplaced;
}

// The picture's placement once two screenshots in a row agree on it and its
// origin is one `wanted` accepts; the last one seen when the time is up
// otherwise.
Placement settledPlacement(const e2e::Viewer &viewer, const QString &window, QImage &shot,
                           const std::function<bool(QPoint)> &wanted = [](QPoint) { return true; })
{
    std::optional<Placement> last;
    e2e::waitUntil(10000, [&] {
        shot = viewer.screenshot(window);
        const Placement now = placementIn(shot);
        const bool settled = last && now.origin == last->origin && now.area == last->area
            && wanted(now.origin);
        last = now;
        return settled;
    });
    return *last;
}

} // namespace

TEST(Panning, TheScrollBarArrowsMoveTheWholePictureOnScreen)
{
    QTemporaryDir folder;
    QImage image(2000, 1500, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, codeFor(x, y));
    ASSERT_TRUE(image.save(folder.filePath("coded.bmp")));

    e2e::Viewer viewer(folder.path());
    const QString main = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(main.isEmpty());
    const QString title = "Lumarin - " + folder.filePath("coded.bmp");
    viewer.key(main, {"57"}); // N
    ASSERT_EQ(viewer.waitForTitle(main, title), title);

    QImage shot;
    const Placement before = settledPlacement(viewer, main, shot);
    ASSERT_GT(before.area.width(), 300);
    ASSERT_GT(before.area.height(), 200);
    EXPECT_EQ(before.origin, before.area.topLeft()) << "the picture starts unscrolled";

    // The horizontal bar lies right under the picture, the vertical one
    // right beside it; their far arrows are at the corner between them.
    const QPoint rightArrow(before.area.right() - 8, before.area.bottom() + 9);
    const QPoint downArrow(before.area.right() + 9, before.area.bottom() - 8);
    for (int i = 0; i < 3; ++i)
        viewer.click(main, rightArrow);
    viewer.click(main, downArrow);

    // The down arrow's click is handled last: once the picture has moved
    // down as well, every click has been.
    const Placement after = settledPlacement(viewer, main, shot, [&](QPoint origin) {
        return origin.x() < before.origin.x() && origin.y() < before.origin.y();
    });
    EXPECT_LT(after.origin.x(), before.origin.x());
    EXPECT_LT(after.origin.y(), before.origin.y());
    // Scrolled pixels and newly drawn strips alike show the picture at its
    // new place, all over the area it had before.
    EXPECT_EQ(misplacedPixels(shot, before.area, after.origin), 0);

    EXPECT_TRUE(viewer.exitWithAltQ(main));
}
