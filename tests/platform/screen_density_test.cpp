// SPDX-License-Identifier: GPL-2.0-or-later
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/controls/PictureBox.h"
#include "platform/pictures/FilePictureLoader.h"
#include "support/QtPrinting.h"
#include "support/WmfWriter.h"

// Twips are an inch divided by 1440 on any screen. ctest runs this again
// with the screen at 120 and 144 DPI (unscaled, so a pixel is a device
// pixel); each run checks its own row.
TEST(ScreenDensity, TwipsMeasureTheSameInchAtEveryDensity)
{
    // The pixels of a box at 100, 50 twips, 1440 × 100; the twips of a 30 ×
    // 20 pixel bitmap; the pixels of a metafile of 1440 × 720 twips.
    const struct { int dpi; QRect box; QSizeF pictureTwips; QSize drawingPixels; } rows[] = {
        {96, {7, 3, 96, 7}, {450, 300}, {96, 48}},
        {120, {8, 4, 120, 9}, {360, 240}, {120, 60}},
        {144, {10, 5, 144, 10}, {300, 200}, {144, 72}},
    };
    const int expected = qEnvironmentVariableIsSet("LUMARIN_EXPECTED_DPI")
                             ? qEnvironmentVariableIntValue("LUMARIN_EXPECTED_DPI") : 96;
    ASSERT_EQ(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()), expected);
    const auto row = std::find_if(std::begin(rows), std::end(rows), [&](const auto &r) { return r.dpi == expected; });
    ASSERT_NE(row, std::end(rows));

    QWidget container;
    platform::PictureBox box(&container);
    box.move(100, 50, 1440, 100);
    EXPECT_EQ(box.widget()->geometry(), row->box);
    EXPECT_EQ(box.width(), 1440) << "read back as set";

    QImage pixels(30, 20, QImage::Format_RGB32);
    pixels.fill(Qt::red);
    box.setBorder(false);
    box.setAutoSize(true);
    box.setPicture(std::make_shared<const platform::Picture>(platform::Picture::Kind::Bitmap, pixels, QByteArray()));
    EXPECT_EQ(QSizeF(box.width(), box.height()), row->pictureTwips);
    EXPECT_EQ(box.widget()->size(), QSize(30, 20)) << "a bitmap keeps its own pixels";

    WmfWriter drawing(QRect(0, 0, 1440, 720), 1440);
    drawing.blackBrush();
    drawing.rectangle(QRect(0, 0, 1440, 720));
    const auto metafile = platform::decodePicture(drawing.placeable(), QStringLiteral(LUMARIN_METAFILE_HELPER));
    EXPECT_EQ(metafile->pixelSize(), row->drawingPixels);
}
