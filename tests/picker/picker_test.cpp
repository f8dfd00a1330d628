// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "picker/placement.h"

#include "picker/stepping_rules.h"
#include "platform/controls/DirList.h"
#include "platform/controls/DriveList.h"
#include "platform/controls/FileList.h"
#include "platform/controls/Form.h"
#include "platform/controls/TextBox.h"
#include "platform/files/NaturalOrder.h"
#include "support/TestWindow.h"

using platform::NaturalKey;

TEST(Picker, ListsPictureFilesWhateverTheirNamesAndItsCloseBoxOnlyHidesUntilTheOwnerCloses)
{
    QTemporaryDir dir;
    QStringList names = {"Фото 1.JPG", "it's \"quoted\".gif", "b.Jpeg", "c.jpe", "d.dib",
                         "e.ico", "f.cur", "g.wmf", "h.emf", "new\nline.bmp"};
    for (const QString &name : names + QStringList{"x.png", "y.jpg.txt", ".z.jpg"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("folder.jpg");
    TestWindow t(dir.path());
    frmFilePicker &p = t.picker();
    QStringList listed;
    for (int i = 0; i < p.fleFile->listCount(); ++i)
        listed << p.fleFile->list(i);
    listed.sort();
    names.sort();
    EXPECT_EQ(listed, names);

    EXPECT_FALSE(p.form->close());
    EXPECT_FALSE(p.form->isVisible());
    ASSERT_FALSE(p.form.isNull());
    t.window->mnuFileOpenPic_Click();
    EXPECT_EQ(&t.picker(), &p);
    EXPECT_TRUE(p.form->isVisible());
    p.form->hide();
    EXPECT_TRUE(t.window->form->close());
}

TEST(Picker, ADriveOpensTheFolderLastOpenedOnItAndDriveErrorsAreReported)
{
    QTemporaryDir stick, disc, gone;
    QDir(stick.path()).mkdir("photos");
    writePicture(stick, "photos/a.bmp", 4, 4);
    TestWindow t;
    t.volumes.volumes << platform::Volume{stick.path(), "stick"} << platform::Volume{disc.path(), "disc"}
                      << platform::Volume{gone.path(), "gone"} << platform::Volume{gone.filePath("lost"), "lost"};
    t.volumes.gone.insert(gone.path());
    frmFilePicker &p = t.picker();
    p.dirDirectory->setPath(stick.filePath("photos"));
    EXPECT_EQ(t.window->txtDir->text(), stick.filePath("photos"));
    p.fleFile->setListIndex(0);
    t.waitForLoad();

    p.drvDrive->setDrive(disc.path() + " [disc]");
    EXPECT_EQ(p.dirDirectory->path(), disc.path() + "/");
    EXPECT_EQ(t.window->txtDir->text(), disc.path() + "/");
    EXPECT_EQ(p.fleFile->listCount(), 0);
    EXPECT_EQ(p.fleFile->listIndex(), -1);
    p.drvDrive->setDrive(stick.path() + " [stick]");
    EXPECT_EQ(p.dirDirectory->path(), stick.filePath("photos"));
    ASSERT_TRUE(t.dialogs.shown.isEmpty());

    // An unavailable drive: the drive of the folder still shown comes back.
    p.drvDrive->setDrive(gone.path() + " [gone]");
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(p.drvDrive->drive(), stick.path() + " [stick]");
    EXPECT_EQ(p.dirDirectory->path(), stick.filePath("photos"));
    // Any other error is reported with its number; the drive list stays.
    p.drvDrive->setDrive(gone.filePath("lost") + " [lost]");
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_TRUE(t.dialogs.shown[1].text.startsWith("Error 76 ")) << t.dialogs.shown[1].text.toStdString();
    EXPECT_EQ(p.drvDrive->drive(), gone.filePath("lost") + " [lost]");
    EXPECT_EQ(p.dirDirectory->path(), stick.filePath("photos"));
    EXPECT_EQ(p.fleFile->listCount(), 1);
}

TEST(NaturalOrder, NumbersByValueAndLetterCaseIgnored)
{
    const struct { QString first, second; } ordered[] = {
        {"img2", "img10"},    {"img01", "img2"},     {"img007", "img10"},
        {"img2", "img02"},    {"img02", "img002"}, // same value: fewer zeros first
        {"apple", "Banana"},  {"IMG2", "img10"},     {"äb", "Äc"},
        {"фото٢", "фото١٠"},  {"２.jpg", "１０.jpg"}, // digits of other scripts as numbers
        {"img٢", "img3"},     {"img٠٠٢", "img١٠"},   // ... mixed with ASCII ones
        {"a٣", "ab"},        // ... and against letters, as ASCII digits
    };
    for (const auto &c : ordered) {
        const std::string pair = (c.first + " < " + c.second).toStdString();
        EXPECT_TRUE(NaturalKey(c.first) < NaturalKey(c.second)) << pair;
        EXPECT_FALSE(NaturalKey(c.second) < NaturalKey(c.first)) << pair;
    }
    // Names that differ only in letter case still come in one fixed order.
    for (const auto &[a, b] : {std::pair<QString, QString>{"IMG1.bmp", "img1.bmp"}, {"Äpfel", "äpfel"}}) {
        EXPECT_NE(NaturalKey(a) < NaturalKey(b), NaturalKey(b) < NaturalKey(a)) << a.toStdString();
        EXPECT_FALSE(NaturalKey(a) < NaturalKey(a)) << a.toStdString();
    }
}

TEST(SteppingRules, WrapAroundBothEnds)
{
    const struct { int selected, count, next, previous; } cases[] = {
        {-1, 5, 0, 4}, {0, 5, 1, 4}, {2, 5, 3, 1}, {4, 5, 0, 3}, {0, 1, 0, 0}, {-1, 1, 0, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(nextIndex(c.selected, c.count), c.next) << c.selected << " of " << c.count;
        EXPECT_EQ(previousIndex(c.selected, c.count), c.previous) << c.selected << " of " << c.count;
    }
}

TEST(Stepping, StepsThroughTheFolderInNaturalOrderAndGoesOnFromTheSelection)
{
    QTemporaryDir dir;
    for (const char *name : {"img10.bmp", "img2.BMP", "Img1.bmp", ".hidden.bmp"})
        writePicture(dir, name, 8, 8);
    QFile(dir.filePath("notes.txt")).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("empty");
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;
    frmFilePicker &p = t.picker(); // open in the current folder, nothing selected
    EXPECT_EQ(p.dirDirectory->path(), dir.path());
    EXPECT_EQ(w.txtDir->text(), dir.path());
    EXPECT_EQ(p.fleFile->listIndex(), -1);
    EXPECT_TRUE(p.blnLoadOnClick);
    ASSERT_EQ(p.fleFile->listCount(), 3);

    for (const char *name : {"Img1.bmp", "img2.BMP", "img10.bmp", "Img1.bmp"}) {
        t.statuses.clear();
        EXPECT_EQ(t.after(&frmLumarin::cbNext_Click), dir.filePath(name));
        EXPECT_EQ(t.loads(), 1) << "each step loads exactly once";
        EXPECT_EQ(p.SelectedFile(), name);
        EXPECT_TRUE(p.blnLoadOnClick);
    }
    EXPECT_EQ(t.after(&frmLumarin::cbPrev_Click), dir.filePath("img10.bmp"));
    EXPECT_EQ(w.strPictureExt, "bmp");

    // Remove leaves the picker where it was.
    w.mnuViewRemove_Click();
    EXPECT_TRUE(w.strPicturePath.isEmpty());
    EXPECT_EQ(t.after(&frmLumarin::cbNext_Click), dir.filePath("Img1.bmp"));

    // A click shows its picture once, and the next step goes on from it.
    t.statuses.clear();
    p.fleFile->setListIndex(1);
    t.waitForLoad();
    EXPECT_EQ(w.strPicturePath, dir.filePath("img2.BMP"));
    EXPECT_EQ(t.loads(), 1);
    EXPECT_EQ(t.after(&frmLumarin::cbNext_Click), dir.filePath("img10.bmp"));

    // An empty folder says so and empties the window.
    p.dirDirectory->setPath(dir.filePath("empty"));
    w.cbNext_Click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(w.strPicturePath.isEmpty());
    EXPECT_EQ(w.form->caption(), "Lumarin");
    EXPECT_TRUE(p.blnLoadOnClick);

    // Back in the folder nothing is selected: Previous takes the last.
    p.dirDirectory->setPath(dir.path());
    EXPECT_EQ(t.after(&frmLumarin::cbPrev_Click), dir.filePath("img10.bmp"));

    // In a volume's root the separator is doubled.
    t.volumes.volumes.append({dir.path(), "stick"});
    p.dirDirectory->setPath(dir.path());
    EXPECT_EQ(p.NextFile(), dir.path() + "//Img1.bmp");
}


TEST(PickerPlace, BesideTheMainWindowElseCoveringTheLeastOfThePicture)
{
    const QSize picker(360, 260);
    const struct
    {
        const char *name;
        QRect screen, owner, pictureArea;
        QPoint place;
    } cases[] = {
        {"room on the right", {0, 0, 1920, 1080}, {100, 50, 800, 600}, {110, 120, 780, 500}, {908, 50}},
        {"room on the left only", {0, 0, 1920, 1080}, {1200, 50, 700, 600}, {1210, 120, 680, 500}, {832, 50}},
        {"room below only", {0, 0, 1280, 1024}, {310, 13, 659, 355}, {311, 84, 650, 238}, {310, 376}},
        // A laptop at scale 2: the main window fills the width; the picture
        // area lies below its buttons, so the top right corner covers least.
        {"no room beside", {0, 0, 960, 540}, {0, 0, 960, 540}, {0, 60, 960, 440}, {600, 0}},
        {"picture area on the right", {0, 0, 960, 540}, {0, 0, 960, 540}, {480, 0, 480, 540}, {0, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pickerPlace(c.screen, c.owner, c.pictureArea, picker), c.place) << c.name;
}
