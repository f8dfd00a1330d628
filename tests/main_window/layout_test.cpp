// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/ImageControl.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/ScrollBar.h"
#include "platform/Twips.h"
#include "support/TestWindow.h"

using platform::toPixels;

TEST(Layout, FollowsTheWindowSizeAndAShortWindowMovesOnlyTheStatusLine)
{
    TestWindow t;
    t.resizeClient(900, 700);
    const frmLumarin &w = *t.window;
    const platform::Form &f = *w.form;

    EXPECT_FLOAT_EQ(w.lblProgramStatus->top(), f.clientHeight() - 255);
    EXPECT_FLOAT_EQ(w.lblProgramStatus->width(), f.clientWidth());
    EXPECT_FLOAT_EQ(w.picContainer->width(), f.outerWidth() - 100);
    EXPECT_FLOAT_EQ(w.picContainer->height(), f.outerHeight() - 1385);
    EXPECT_FLOAT_EQ(w.imgOutPicture->width(), w.picContainer->width() - 70);
    EXPECT_FLOAT_EQ(w.imgOutPicture->height(), w.picContainer->height() - 75);
    EXPECT_FLOAT_EQ(w.imgOutPicture->left(), 5);
    EXPECT_FLOAT_EQ(w.imgOutPicture->top(), 5);
    EXPECT_FLOAT_EQ(w.picLoadPicture->left(), 0);
    EXPECT_FLOAT_EQ(w.picLoadPicture->top(), 0);

    // Too short for the area: it keeps its height, the status line moves.
    const float areaHeight = w.picContainer->height();
    w.form->resize(600, toPixels(1385) - 30);
    QApplication::processEvents();

    EXPECT_FLOAT_EQ(w.picContainer->height(), areaHeight);
    EXPECT_FLOAT_EQ(w.imgOutPicture->height(), areaHeight - 75);
    EXPECT_FLOAT_EQ(w.picContainer->width(), w.form->outerWidth() - 100);
    EXPECT_FLOAT_EQ(w.lblProgramStatus->top(), w.form->clientHeight() - 255);
}

TEST(Layout, ResizeRedisplaysWithoutReadingTheFileAgain)
{
    QTemporaryDir dir;
    TestWindow t;
    t.resizeClient(800, 600);
    frmLumarin &w = *t.window;
    const QString path = writePicture(dir, "p.bmp", 1500, 1000);
    w.NewPicture(path);
    const auto picture = w.picLoadPicture->picture();
    w.hscrPicRightLeft->setValue(3);
    QFile::remove(path);

    t.resizeClient(500, 400);

    EXPECT_EQ(w.picLoadPicture->picture(), picture);
    EXPECT_TRUE(w.picOutPicture->isVisible());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    // The canvas goes back to the corner; the thumb stays where it was.
    EXPECT_FLOAT_EQ(w.picOutPicture->left(), 0);
    EXPECT_EQ(w.hscrPicRightLeft->value(), 3);
    EXPECT_FLOAT_EQ(w.vscrPicUpDown->top(), 0);
}
