// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "picker/stepping_rules.h"
#include "platform/DirList.h"
#include "platform/FileList.h"
#include "platform/Form.h"
#include "support/TestWindow.h"

TEST(SteppingRules, WrapAroundBothEnds)
{
    const struct
    {
        const char *name;
        int selected, count, next, previous;
    } cases[] = {
        {"nothing selected", -1, 5, 0, 4},
        {"first", 0, 5, 1, 4},
        {"middle", 2, 5, 3, 1},
        {"last", 4, 5, 0, 3},
        {"one entry", 0, 1, 0, 0},
        {"one entry, none selected", -1, 1, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(nextIndex(c.selected, c.count), c.next) << c.name;
        EXPECT_EQ(previousIndex(c.selected, c.count), c.previous) << c.name;
    }
}

namespace {

// A folder with pictures named so that natural order differs from plain
// order, plus files the list must leave out.
struct PictureFolder
{
    PictureFolder()
    {
        for (const char *name : {"img10.bmp", "img2.BMP", "Img1.bmp"})
            writePicture(dir, name, 8, 8);
        writePicture(dir, ".hidden.bmp", 8, 8);
        QFile(dir.filePath("notes.txt")).open(QIODevice::WriteOnly);
    }
    QString path(const char *name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace

TEST(Stepping, StepsThroughTheFolderInNaturalOrderWithWrapAround)
{
    PictureFolder folder;
    TestWindow t(folder.dir.path());
    frmLumarin &w = *t.window;
    ASSERT_EQ(t.picker().fleFile->listCount(), 3);

    const char *forward[] = {"Img1.bmp", "img2.BMP", "img10.bmp", "Img1.bmp"};
    for (const char *name : forward) {
        t.statuses.clear();
        w.cbNext_Click();
        EXPECT_EQ(w.strPicturePath, folder.path(name));
        EXPECT_EQ(w.form->caption(), "Lumarin - " + folder.path(name));
        EXPECT_EQ(t.loads(), 1) << "each step loads exactly once";
        EXPECT_EQ(t.picker().SelectedFile(), name);
        EXPECT_TRUE(t.picker().blnLoadOnClick);
    }
    w.cbPrev_Click();
    EXPECT_EQ(w.strPicturePath, folder.path("img10.bmp"));
    EXPECT_EQ(w.strPictureExt, "bmp");

    // After opening a folder nothing is selected: Previous takes the last.
    t.picker().dirDirectory->setPath(QFileInfo(folder.dir.path()).path());
    t.picker().dirDirectory->setPath(folder.dir.path());
    w.cbPrev_Click();
    EXPECT_EQ(w.strPicturePath, folder.path("img10.bmp"));
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST(Stepping, AnEmptyFolderSaysSoAndEmptiesTheWindow)
{
    QTemporaryDir empty;
    PictureFolder folder;
    TestWindow t(empty.path());
    t.window->NewPicture(folder.path("img2.BMP"));

    t.window->cbNext_Click();

    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].text, "В выбранной папке нет рисунков!");
    EXPECT_EQ(t.dialogs.shown[0].caption, "Lumarin");
    EXPECT_EQ(t.dialogs.shown[0].icon, platform::Icon::None);
    EXPECT_TRUE(t.window->strPicturePath.isEmpty());
    EXPECT_EQ(t.window->form->caption(), "Lumarin");
    EXPECT_TRUE(t.picker().blnLoadOnClick);
}

TEST(Stepping, AClickShowsThePictureAndTheNextStepGoesOnFromIt)
{
    PictureFolder folder;
    TestWindow t(folder.dir.path());
    t.statuses.clear();

    t.picker().fleFile->setListIndex(1); // as a click on img2.BMP

    EXPECT_EQ(t.window->strPicturePath, folder.path("img2.BMP"));
    EXPECT_EQ(t.loads(), 1);
    t.window->cbNext_Click();
    EXPECT_EQ(t.window->strPicturePath, folder.path("img10.bmp"));
}

TEST(Stepping, RemoveLeavesThePickerWhereItWas)
{
    PictureFolder folder;
    TestWindow t(folder.dir.path());
    t.window->cbNext_Click();
    t.window->mnuViewRemove_Click();
    EXPECT_EQ(t.window->form->caption(), "Lumarin");
    EXPECT_TRUE(QFile::exists(folder.path("Img1.bmp")));
    EXPECT_EQ(t.picker().fleFile->listCount(), 3);

    t.window->cbNext_Click();
    EXPECT_EQ(t.window->strPicturePath, folder.path("img2.BMP"));
}

TEST(Stepping, AVolumeRootGivesADoubledSeparator)
{
    PictureFolder folder;
    TestWindow t(folder.dir.path());
    t.volumes.volumes.append({folder.dir.path(), "stick"});
    t.picker().dirDirectory->setPath(folder.dir.path());
    EXPECT_EQ(t.picker().dirDirectory->path(), folder.dir.path() + "/");

    EXPECT_EQ(t.picker().NextFile(), folder.dir.path() + "//Img1.bmp");
}
