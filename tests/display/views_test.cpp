// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "display/scrollbar_layout.h"
#include "main_window/Texts.h"
#include "platform/controls/Form.h"
#include "platform/controls/ImageControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/ScrollBar.h"
#include "platform/pictures/JpegDecoder.h"
#include "platform/system/ScreenArea.h"
#include "support/TestWindow.h"

using display::ScrollArea;

static void expectEmptyWindow(const TestWindow &t)
{
    const frmLumarin &w = *t.window;
    EXPECT_EQ(w.form->caption(), texts::Title);
    EXPECT_EQ(w.lblProgramStatus->caption(), texts::StatusReady);
    EXPECT_TRUE(w.strPicturePath.isEmpty() && w.strPictureExt.isEmpty());
    EXPECT_TRUE(w.picLoadPicture->picture()->isEmpty());
    EXPECT_FALSE(w.picOutPicture->isVisible() || w.imgOutPicture->isVisible());
    EXPECT_FALSE(w.hscrPicRightLeft->isVisible() || w.vscrPicUpDown->isVisible()
                 || w.picScrollBarsSquare->isVisible());
}

TEST(Loading, ShowsAPictureAtItsOwnSizeOrEndsInTheErrorBoxAndAnEmptyWindow)
{
    QTemporaryDir dir;
    const QString good = writePicture(dir, "photo.bmp", 300, 200);
    const QString cut = writePicture(dir, "cut.bmp", 4, 4);
    QFile::resize(cut, 20);
    const struct { const char *name; QString path, description; bool fitted, resized; } cases[] = {
        {"a picture", good, "", false, false},
        {"missing file", dir.filePath("missing.jpg"), "Файл не найден", false, false},
        {"missing folder", dir.filePath("nowhere/x.jpg"), "Путь не найден", true, true},
        {"a folder", dir.path(), "Ошибка доступа к пути или файлу", false, true},
        {"truncated", cut, "Недопустимый рисунок", true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow t;
        EXPECT_EQ(t.statuses.first(), texts::StatusLoading);
        expectEmptyWindow(t);
        if (c.fitted)
            t.window->mnuViewPictureToWindow_Click();
        t.show(good);
        // A resize while the error box is open shows what the holder has
        // (and the view stays shown): never the old picture.
        QString statusWhileOpen;
        bool oldPictureShown = false;
        t.dialogs.whileOpen = [&](const auto &) {
            statusWhileOpen = t.window->lblProgramStatus->caption();
            if (c.resized)
                t.resizeClient(517, 389);
            oldPictureShown = !t.window->picOutPicture->picture()->isEmpty()
                || !t.window->imgOutPicture->picture()->isEmpty();
        };
        t.statuses.clear();

        t.show(c.path);

        if (c.description.isEmpty()) {
            EXPECT_EQ(t.statuses, (QStringList{texts::StatusLoading, texts::StatusReady}));
            EXPECT_EQ(t.window->form->caption(), texts::TitlePrefix + good);
            EXPECT_FLOAT_EQ(t.window->picOutPicture->width(), 300 * 15);
            EXPECT_FLOAT_EQ(t.window->picOutPicture->height(), 200 * 15);
            // One picture object for holder and view: nothing was copied.
            EXPECT_EQ(t.window->picOutPicture->picture(), t.window->picLoadPicture->picture());
            EXPECT_TRUE(t.dialogs.shown.isEmpty());
            continue;
        }
        ASSERT_EQ(t.dialogs.shown.size(), 1);
        EXPECT_TRUE(t.dialogs.shown[0].text.startsWith(c.description)) << t.dialogs.shown[0].text.toStdString();
        EXPECT_EQ(t.dialogs.shown[0].icon, platform::Icon::Exclamation);
        EXPECT_EQ(statusWhileOpen, texts::StatusError);
        EXPECT_EQ(t.statuses, (QStringList{texts::StatusLoading, texts::StatusError, texts::StatusLoading,
                                            texts::StatusReady}));
        EXPECT_FALSE(oldPictureShown);
        EXPECT_EQ(t.window->form->caption(), texts::Title);
        if (!c.resized)
            expectEmptyWindow(t);
    }
}

TEST(ScrollBarLayout, DecidesBarsAndMaxima)
{
    // In an area of 3000 × 2000 twips; maxima checked only for shown bars.
    const struct { const char *name; float pw, ph; bool hShown, vShown; int hMax, vMax; } cases[] = {
        {"fits", 2000, 1000, false, false, 0, 0},
        {"fits exactly beside both bars", 2644, 1644, false, false, 0, 0},
        {"exactly CW - 100 wide and short", 2900, 1000, false, false, 0, 0},
        {"100 narrower and much taller", 2900, 6000, true, true, 3, 44},
        {"wider only", 5000, 1000, true, false, 21, 0},
        {"taller only", 1000, 5000, false, true, 0, 31},
        {"within 256 of the area in both", 2700, 1700, true, true, 1, 1},
        {"both larger", 9000, 7000, true, true, 64, 54},
        {"half rounds down to even", 4150, 1000, true, false, 12, 0},
        {"half rounds up to even", 4250, 1000, true, false, 14, 0},
        {"maximum clamped to 16 bits", 5e6f, 1000, true, false, 32767, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto layout = display::layoutScrollBars(ScrollArea{3000, 2000, c.pw, c.ph});
        EXPECT_EQ(layout.horizontal.shown, c.hShown);
        EXPECT_EQ(layout.vertical.shown, c.vShown);
        EXPECT_EQ(layout.squareShown, c.hShown || c.vShown);
        EXPECT_EQ(c.hShown ? layout.horizontal.max : 0, c.hMax);
        EXPECT_EQ(c.vShown ? layout.vertical.max : 0, c.vMax);
    }
    const struct { double value; int rounded; } rounding[] = {
        {12.5, 12}, {13.5, 14}, {-2.5, -2}, {2.56 + 41, 44}, {1e9, 32767}, {-1e9, -32768}};
    for (const auto &r : rounding)
        EXPECT_EQ(display::roundToInt16(r.value), r.rounded) << r.value;
}

TEST(Views, PanningReachesTheLastColumnAndOnlyALoadGoesBackToTheCorner)
{
    // 6000 pixels are 90000 twips: offsets far beyond 16 bits.
    QTemporaryDir dir;
    TestWindow t;
    t.resizeClient(800, 600);
    frmLumarin &w = *t.window;
    const QString path = writePicture(dir, "wide.bmp", 6000, 1000);
    t.show(path);
    ASSERT_TRUE(w.hscrPicRightLeft->isVisible());

    w.hscrPicRightLeft->setValue(w.hscrPicRightLeft->max());
    w.vscrPicUpDown->setValue(3);
    EXPECT_NEAR(w.picOutPicture->left() + w.picOutPicture->width(), w.picContainer->width() - 400, 50);
    EXPECT_LT(w.picOutPicture->left(), -32767);

    w.LoadImage();
    t.waitForLoad();
    EXPECT_EQ(w.hscrPicRightLeft->value(), 0);
    EXPECT_EQ(w.vscrPicUpDown->value(), 0);
    EXPECT_FLOAT_EQ(w.picOutPicture->top(), 0);

    // A resize shows the picture held, without reading the file again: the
    // canvas goes back to the corner, the thumb stays where it was.
    const auto picture = w.picLoadPicture->picture();
    w.hscrPicRightLeft->setValue(3);
    QFile::remove(path);
    t.resizeClient(500, 400);
    EXPECT_EQ(w.picLoadPicture->picture(), picture);
    EXPECT_TRUE(w.picOutPicture->isVisible());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_FLOAT_EQ(w.picOutPicture->left(), 0);
    EXPECT_EQ(w.hscrPicRightLeft->value(), 3);

    // Hiding a bar leaves its maximum as it was; a smaller one would pull
    // the thumb (and with it the canvas) along.
    const int shownMax = w.hscrPicRightLeft->max();
    w.hscrPicRightLeft->setValue(shownMax);
    t.resizeClient(8000, 1500);
    EXPECT_FALSE(w.hscrPicRightLeft->isVisible());
    EXPECT_EQ(w.hscrPicRightLeft->max(), shownMax);
    EXPECT_EQ(w.hscrPicRightLeft->value(), shownMax);
}

TEST(Views, FittedViewDrawsTheWholeSamePictureWithoutBars)
{
    QTemporaryDir dir;
    TestWindow t;
    frmLumarin &w = *t.window;
    t.resizeClient(400, 300);
    const QString path = writePicture(dir, "p.bmp", 900, 600); // the top left quarter yellow
    t.show(path);
    // Every load lets go of the previous picture before reading the next.
    std::weak_ptr<const platform::Picture> previous = w.picLoadPicture->picture();
    bool stillHeld = false;
    t.pictures.beforeLoad = [&] { stillHeld = stillHeld || !previous.expired(); };

    t.after(&frmLumarin::mnuViewPictureToWindow_Click);

    EXPECT_TRUE(w.imgOutPicture->isVisible());
    EXPECT_FALSE(w.picOutPicture->isVisible());
    EXPECT_EQ(w.imgOutPicture->picture(), w.picLoadPicture->picture());
    EXPECT_FALSE(w.hscrPicRightLeft->isVisible() || w.vscrPicUpDown->isVisible()
                 || w.picScrollBarsSquare->isVisible());
    // Shrunk, corner to corner.
    const QImage shown = w.imgOutPicture->widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(2, 2), QColor(Qt::yellow));
    EXPECT_EQ(shown.pixelColor(shown.width() - 3, shown.height() - 3), QColor(Qt::darkCyan));
    previous = w.picLoadPicture->picture();
    t.show(path);
    EXPECT_FALSE(stillHeld);
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
    EXPECT_GE(reduced.width(), screen.width());
    EXPECT_GE(reduced.height(), screen.height());
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;

    t.after(&frmLumarin::cbNext_Click);
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), QSize(4000, 3000));
    t.after(&frmLumarin::mnuViewPictureToWindow_Click); // reads the file again
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), reduced);
    t.show(dir.filePath("1.jpg")); // 2.jpg is decoded ahead for the fitted view
    int reads = 0;
    t.pictures.beforeLoad = [&] { ++reads; };
    t.after(&frmLumarin::cbNext_Click);
    EXPECT_EQ(reads, 0) << "the step used the picture decoded ahead";
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), reduced);
    t.after(&frmLumarin::mnuViewPictureToWindow_Click);
    EXPECT_EQ(w.picLoadPicture->picture()->pixelSize(), QSize(4000, 3000));
}
