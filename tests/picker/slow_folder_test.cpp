// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "main_window/Texts.h"
#include "platform/controls/DirList.h"
#include "platform/controls/DriveList.h"
#include "platform/controls/FileList.h"
#include "platform/controls/Form.h"
#include "platform/controls/TextBox.h"
#include "support/TestWindow.h"

namespace {

// a.bmp, b.bmp and c.bmp, and the window started there with the folder's
// listing (and, when asked, the mount table) stalled.
struct SlowStart
{
    explicit SlowStart(bool stallMountTable = false)
    {
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            writePicture(dir, name, 4, 4);
        for (const char *name : {"x", "y"})
            QDir(dir.path()).mkdir(name);
        stalls.stall(dir.path());
        if (stallMountTable)
            stalls.stall(FakeVolumes::MountTable);
        t = std::make_unique<TestWindow>(dir.path(), [this](TestWindow &w) { w.volumes.stalls = stalls; });
    }
    frmFilePicker &picker() { return t->picker(); }
    QString shown() const { return t->window->strPicturePath; }
    void arrive()
    {
        stalls.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !t->picker().isListing(); }, 5000));
    }

    QTemporaryDir dir;
    StalledReads stalls;
    std::unique_ptr<TestWindow> t;
};

} // namespace

TEST(SlowFolder, TheWindowStartsWithEmptyListsAndAStepWaitsForTheListing)
{
    const struct
    {
        const char *name;
        void (frmLumarin::*command)();
        const char *shown;
        int selected;
    } cases[] = {
        {"Next", &frmLumarin::cbNext_Click, "a.bmp", 0},
        {"Previous", &frmLumarin::cbPrev_Click, "c.bmp", 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SlowStart s(true);
        frmFilePicker &p = s.picker();
        ASSERT_EQ(s.stalls.waiting(), 2) << "the listing and the mount table, still stalled";
        EXPECT_TRUE(p.isListing());
        EXPECT_EQ(p.fleFile->listCount(), 0);
        EXPECT_EQ(p.drvDrive->drive(), QString());
        EXPECT_EQ(s.t->window->txtDir->text(), s.dir.path());

        const qsizetype loads = s.t->loads();
        (s.t->window.get()->*c.command)();
        QCoreApplication::processEvents();
        EXPECT_TRUE(s.t->dialogs.shown.isEmpty()) << "no \"no pictures\" for a list not there yet";
        EXPECT_EQ(s.t->loads(), loads);

        s.arrive();
        s.t->waitForLoad();
        EXPECT_EQ(s.shown(), s.dir.filePath(c.shown));
        EXPECT_EQ(p.fleFile->listIndex(), c.selected);
        EXPECT_EQ(p.fleFile->listCount(), 3);
        EXPECT_EQ(p.drvDrive->drive(), "/ [root]");
        EXPECT_EQ(s.t->loads(), loads + 1);
        EXPECT_TRUE(s.t->dialogs.shown.isEmpty());
    }
}

TEST(SlowFolder, TheStartFileShowsAtOnceAndIsSelectedWhenTheListComes)
{
    SlowStart s;
    const qsizetype loads = s.t->loads();
    s.t->window->showStartFile(s.dir.filePath("b.bmp"));
    s.t->waitForLoad();
    EXPECT_EQ(s.shown(), s.dir.filePath("b.bmp"));
    s.arrive();
    EXPECT_EQ(s.picker().fleFile->listIndex(), 1);
    EXPECT_EQ(s.t->after(&frmLumarin::cbNext_Click), s.dir.filePath("c.bmp"));
    EXPECT_EQ(s.t->loads(), loads + 2) << "b.bmp once, then c.bmp";
}

TEST(SlowFolder, AListingOvertakenOrFailingLateLeavesTheListsAsTheUserLastSawThem)
{
    SlowStart s;
    s.arrive();
    frmFilePicker &p = s.picker();
    p.fleFile->setListIndex(1);
    s.t->waitForLoad();
    const QString x = s.dir.filePath("x"), y = s.dir.filePath("y");
    writePicture(s.dir, "y/d.bmp", 4, 4);

    // Overtaken: x is still being read when y opens; x's listing is dropped.
    s.stalls.stall(x);
    p.dirDirectory->setPath(x);
    EXPECT_TRUE(p.isListing());
    EXPECT_EQ(p.fleFile->listCount(), 0);
    p.dirDirectory->setPath(y);
    s.arrive();
    QTest::qWait(50); // room for x's listing to come, were it not dropped
    EXPECT_EQ(p.dirDirectory->path(), y);
    EXPECT_EQ(s.t->window->txtDir->text(), y);
    ASSERT_EQ(p.fleFile->listCount(), 1);
    EXPECT_EQ(p.fleFile->list(0), "d.bmp");

    // Failing late: x is removed while its listing waits. The box comes as
    // for a folder that fails at once, and y's list is back, selection and
    // all, without loading its picture again.
    p.fleFile->setListIndex(0);
    s.t->waitForLoad();
    const qsizetype loads = s.t->loads();
    s.stalls.stall(x);
    p.dirDirectory->setPath(x);
    ASSERT_TRUE(QDir(x).removeRecursively());
    s.arrive();
    ASSERT_EQ(s.t->dialogs.shown.size(), 1);
    EXPECT_TRUE(s.t->dialogs.shown[0].text.contains(x)) << s.t->dialogs.shown[0].text.toStdString();
    EXPECT_EQ(p.dirDirectory->path(), y);
    ASSERT_EQ(p.fleFile->listCount(), 1);
    EXPECT_EQ(p.fleFile->listIndex(), 0);
    EXPECT_EQ(s.t->loads(), loads);
}

TEST(SlowFolder, TheStartFilesListOvertakenComesAgainAndItsSelectionStaysInItsFolder)
{
    {
        SCOPED_TRACE("a folder that fails at once: the start folder is read again");
        SlowStart s;
        s.t->window->showStartFile(s.dir.filePath("b.bmp"));
        EXPECT_THROW(s.picker().dirDirectory->setPath(s.dir.filePath("missing")), platform::Error);
        EXPECT_TRUE(s.picker().isListing());
        s.arrive();
        EXPECT_EQ(s.picker().fleFile->listCount(), 3);
        EXPECT_EQ(s.picker().fleFile->listIndex(), 1);
    }
    {
        SCOPED_TRACE("another folder opened: nothing of it is selected");
        SlowStart s;
        writePicture(s.dir, "x/b.bmp", 4, 4);
        s.t->window->showStartFile(s.dir.filePath("b.bmp"));
        s.picker().dirDirectory->setPath(s.dir.filePath("x"));
        EXPECT_EQ(s.picker().fleFile->listCount(), 1);
        EXPECT_EQ(s.picker().fleFile->listIndex(), -1);
    }
}

TEST(SlowFolder, DeleteDropsAStepWaitingForTheListSoTheFileDeletedIsTheOneAskedAbout)
{
    SlowStart s;
    s.t->window->showStartFile(s.dir.filePath("b.bmp"));
    s.t->waitForLoad();
    s.t->window->cbNext_Click(); // waits for the list
    s.t->dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) { s.arrive(); };
    s.t->window->cbDel_Click();
    ASSERT_EQ(s.t->dialogs.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(s.dir.filePath("b.bmp")));
    EXPECT_TRUE(QFile::exists(s.dir.filePath("c.bmp")));
}

TEST(SlowFolder, ADriveGoneWhileItIsReadIsReportedAsAtOnceAndTheDriveShownComesBack)
{
    SlowStart s;
    s.arrive();
    frmFilePicker &p = s.picker();
    QTemporaryDir stick;
    s.t->volumes.volumes << platform::Volume{stick.path(), "stick"};
    p.drvDrive->setDrive("/ [root]"); // the drive list reads the stick in
    s.stalls.stall(FakeVolumes::MountTable);
    p.drvDrive->setDrive(stick.path() + " [stick]");
    EXPECT_TRUE(p.isListing());
    s.t->volumes.gone.insert(stick.path());
    s.arrive();

    ASSERT_EQ(s.t->dialogs.shown.size(), 1);
    EXPECT_EQ(s.t->dialogs.shown[0].text, "Устройство недоступно.");
    EXPECT_EQ(s.t->dialogs.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(p.drvDrive->drive(), "/ [root]");
    EXPECT_EQ(p.dirDirectory->path(), s.dir.path());
    EXPECT_EQ(p.fleFile->listCount(), 3);
}
