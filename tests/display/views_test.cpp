// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "main_window/texts.h"
#include "platform/Form.h"
#include "platform/ImageControl.h"
#include "platform/JpegDecoder.h"
#include "platform/Label.h"
#include "platform/MenuItem.h"
#include "platform/PictureBox.h"
#include "platform/ScreenArea.h"
#include "platform/ScrollBar.h"
#include "platform/SystemColors.h"
#include "platform/Twips.h"
#include "support/TestWindow.h"

namespace {

QColor containerColor(const frmLumarin &w)
{
    return w.picContainer->inner()->palette().color(QPalette::Window);
}

} // namespace

TEST(Views, PanningReachesTheLastColumnOfAVeryWidePicture)
{
    // 6000 pixels are 90000 twips: offsets far beyond 16 bits.
    QTemporaryDir dir;
    TestWindow t;
    t.resizeClient(800, 600);
    t.window->NewPicture(writePicture(dir, "wide.bmp", 6000, 100));
    frmLumarin &w = *t.window;
    ASSERT_TRUE(w.hscrPicRightLeft->isVisible());

    w.hscrPicRightLeft->setValue(w.hscrPicRightLeft->max());

    const float right = w.picOutPicture->left() + w.picOutPicture->width();
    EXPECT_NEAR(right, w.picContainer->width() - 100, 50);
    EXPECT_LT(w.picOutPicture->left(), -32767);
}

TEST(Views, FittedViewStretchesTheSamePictureAndHidesTheBars)
{
    QTemporaryDir dir;
    TestWindow t;
    t.resizeClient(800, 600);
    frmLumarin &w = *t.window;
    w.NewPicture(writePicture(dir, "big.bmp", 3000, 2000));
    w.hscrPicRightLeft->setValue(5);
    const int max = w.hscrPicRightLeft->max();

    w.mnuViewPictureToWindow->setChecked(true);
    w.LoadImage();

    EXPECT_TRUE(w.imgOutPicture->isVisible());
    EXPECT_FALSE(w.picOutPicture->isVisible());
    EXPECT_EQ(w.imgOutPicture->picture(), w.picLoadPicture->picture());
    EXPECT_FALSE(w.hscrPicRightLeft->isVisible());
    EXPECT_FALSE(w.vscrPicUpDown->isVisible());
    EXPECT_FALSE(w.picScrollBarsSquare->isVisible());
    EXPECT_EQ(w.hscrPicRightLeft->max(), max); // hiding keeps the maxima
    EXPECT_EQ(containerColor(w), platform::systemColor(platform::syscolor::WindowBackground));
}

TEST(Views, EachViewGetsItsOwnDecodeOfAJpeg)
{
    // The fitted view gets what the largest screen can show; the scrolled
    // view the whole picture. Decoded ahead or read by the step alike.
    QTemporaryDir dir;
    for (const char *name : {"1.jpg", "2.jpg"})
        writePicture(dir, name, 4000, 3000, "JPEG");
    const QSize screen = platform::largestScreenArea();
    const QSize reduced = platform::jpegScaledSize(
        {4000, 3000}, platform::jpegDenominatorFor({4000, 3000}, screen));
    ASSERT_LT(reduced.width(), 4000) << "a screen this large leaves nothing to reduce";
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;

    w.cbNext_Click();
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), QSize(4000, 3000));
    w.mnuViewPictureToWindow_Click(); // reads the file again
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), reduced);
    EXPECT_GE(reduced.width(), screen.width());
    EXPECT_GE(reduced.height(), screen.height());
    w.cbNext_Click(); // 2.jpg, decoded ahead for the fitted view
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), reduced);
    w.mnuViewPictureToWindow_Click();
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), QSize(4000, 3000));
}

TEST(Views, FittedViewDrawsTheWholePictureSmoothly)
{
    // A picture with a sharp black/white edge in the middle, shrunk 3:1 in
    // the fitted view, keeps both halves and blends the edge.
    QTemporaryDir dir;
    QImage image(900, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 450; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    image.save(dir.filePath("edge.bmp"));

    TestWindow t;
    frmLumarin &w = *t.window;
    w.mnuViewPictureToWindow->setChecked(true);
    t.resizeClient(400, 300);
    w.NewPicture(dir.filePath("edge.bmp"));

    const QImage shown = w.imgOutPicture->widget()->grab().toImage();
    ASSERT_FALSE(shown.isNull());
    const int y = shown.height() / 2;
    EXPECT_EQ(qGray(shown.pixel(2, y)), 0);
    EXPECT_EQ(qGray(shown.pixel(shown.width() - 3, y)), 255);
}

TEST(Views, ATinyAreaRefusesTheBarAndReportsIt)
{
    QTemporaryDir dir;
    TestWindow t;
    frmLumarin &w = *t.window;
    // An outer height of 1385 + 200 twips leaves a picture area about 200
    // high, too low for the vertical bar (CH - 321 < 0).
    w.form->resize(800, platform::toPixels(1385 + 200));
    QApplication::processEvents();
    ASSERT_GE(w.picContainer->height(), 0);
    ASSERT_LT(w.picContainer->height(), 321);
    const QString path = writePicture(dir, "tall.bmp", 20, 2000);

    w.NewPicture(path);

    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown.first().text.startsWith("Недопустимое значение свойства"));
    EXPECT_TRUE(w.strPicturePath.isEmpty());
    // The title was written before the layout failed and stays.
    EXPECT_EQ(w.form->caption(), "Lumarin - " + path);
    EXPECT_TRUE(w.picOutPicture->isVisible());
    EXPECT_EQ(w.lblProgramStatus->caption(), texts::StatusReady);
}
