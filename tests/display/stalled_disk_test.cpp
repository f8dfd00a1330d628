// SPDX-License-Identifier: GPL-2.0-or-later
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "main_window/Texts.h"
#include "platform/controls/FileList.h"
#include "platform/controls/Form.h"
#include "platform/controls/ImageControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"
#include "support/TestWindow.h"

namespace {

// Lets stalled reads go after 10 s: a window that waits for one then fails
// its test instead of hanging it.
class Watchdog
{
public:
    explicit Watchdog(StalledReads reads)
        : thread_([reads, over = over_.get_future()]() mutable {
              if (over.wait_for(std::chrono::seconds(10)) == std::future_status::timeout)
                  reads.release();
          })
    {
    }
    ~Watchdog()
    {
        over_.set_value();
        thread_.join();
    }

private:
    std::promise<void> over_;
    std::thread thread_;
};

// a.bmp, b.bmp on a disk that does not answer, c.bmp; b chosen in the
// picker, its read stalled.
struct StalledFolder
{
    StalledFolder()
    {
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            writePicture(dir, name, 40, 30);
        t = std::make_unique<TestWindow>(dir.path());
        t->pictures.stalls.stall(dir.filePath("b.bmp"));
        watchdog = std::make_unique<Watchdog>(t->pictures.stalls);
        t->picker().fleFile->setListIndex(1);
    }
    bool stalledReads(int n) const
    {
        return QTest::qWaitFor([&] { return t->pictures.stalls.waiting() == n; }, 2000);
    }
    qsizetype ready() const { return t->statuses.count(texts::StatusReady); }

    QTemporaryDir dir;
    std::unique_ptr<TestWindow> t;
    std::unique_ptr<Watchdog> watchdog;
};

} // namespace

TEST(StalledDisk, TheWindowGoesOnWhileAReadIsStalledAndTheDroppedPictureNeverShows)
{
    const struct
    {
        const char *name;
        void (frmLumarin::*command)();
        int stalled; // reads stalled after the command
        const char *shown;
        bool fitted;
    } cases[] = {
        {"Next", &frmLumarin::cbNext_Click, 1, "c.bmp", false},
        {"fit to window", &frmLumarin::mnuViewPictureToWindow_Click, 2, "b.bmp", true},
        {"remove", &frmLumarin::mnuViewRemove_Click, 1, nullptr, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        StalledFolder f;
        frmLumarin &w = *f.t->window;
        ASSERT_TRUE(f.stalledReads(1));
        EXPECT_EQ(w.lblProgramStatus->caption(), texts::StatusLoading);
        f.t->resizeClient(500, 400); // the window lays itself out meanwhile
        EXPECT_EQ(w.form->clientWidth(), 500 * 15);
        f.t->statuses.clear();
        const int ended = f.t->pictures.ended;

        (w.*c.command)();
        ASSERT_TRUE(f.stalledReads(c.stalled));
        if (c.stalled == 1) { // the next file shows while the first read is stuck
            EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isLoading(); }, 2000));
        }
        f.t->pictures.stalls.release();
        f.t->waitForLoad();
        // The dropped read comes back: its picture goes nowhere.
        EXPECT_TRUE(QTest::qWaitFor([&] { return f.t->pictures.ended == ended + 2; }, 2000));
        QCoreApplication::processEvents(); // what it might have posted

        EXPECT_EQ(f.ready(), 1);
        EXPECT_EQ(w.strPicturePath, c.shown ? f.dir.filePath(c.shown) : QString());
        EXPECT_EQ(w.form->caption(), c.shown ? texts::TitlePrefix + f.dir.filePath(c.shown) : texts::Title);
        EXPECT_EQ(w.imgOutPicture->isVisible(), c.fitted);
        EXPECT_EQ(w.picOutPicture->isVisible(), c.shown && !c.fitted);
        EXPECT_EQ(w.picLoadPicture->picture()->isEmpty(), !c.shown);
        // And the window goes on as ever.
        f.t->show(f.dir.filePath("a.bmp"));
        EXPECT_EQ(f.ready(), 2);
        EXPECT_EQ(w.form->caption(), texts::TitlePrefix + f.dir.filePath("a.bmp"));
    }
}

TEST(StalledDisk, ExitWaitsForNoRead)
{
    StalledFolder f;
    ASSERT_TRUE(f.stalledReads(1));
    f.t->window->mnuFileExit_Click();
    EXPECT_FALSE(f.t->window->form->isVisible());
    f.t->window.reset(); // as the program ends: nothing joins the stuck worker
    EXPECT_EQ(f.t->pictures.stalls.waiting(), 1) << "the read is still stuck";
}

TEST(StalledDisk, PastFourStuckReadsALoadFailsAsAFailedReadDoes)
{
    QTemporaryDir dir;
    for (int i = 0; i < 7; ++i)
        writePicture(dir, QString::number(i) + ".bmp", 4, 4);
    TestWindow t(dir.path());
    StalledReads &stalls = t.pictures.stalls;
    for (int i = 0; i < 7; ++i)
        stalls.stall(dir.filePath(QString::number(i) + ".bmp"));
    const Watchdog watchdog(stalls);
    frmFilePicker &p = t.picker();
    // Two workers, then one in place of each given up on, four at most.
    for (int i = 0; i < 6; ++i) {
        p.fleFile->setListIndex(i);
        ASSERT_TRUE(QTest::qWaitFor([&] { return stalls.waiting() == i + 1; }, 2000)) << i;
    }
    p.fleFile->setListIndex(6);
    t.waitForLoad();

    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.startsWith("Ошибка доступа к пути или файлу: " + dir.filePath("6.bmp")))
        << t.dialogs.shown[0].text.toStdString();
    EXPECT_EQ(t.window->form->caption(), texts::Title);
    EXPECT_EQ(stalls.waiting(), 6) << "no seventh read";
}
