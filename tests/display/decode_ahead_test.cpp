// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

#include "display/DecodeAhead.h"
#include "platform/PictureBox.h"
#include "support/TestWindow.h"

namespace {

// Writes a picture the way programs replace files: a new file renamed over
// the old one.
void replaceWith(const QString &path, QColor colour, int width)
{
    QImage image(width, 10, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path + ".new", "BMP");
    QFile::remove(path);
    QFile::rename(path + ".new", path);
}

// File times advance with the kernel's coarse clock, in ticks of up to
// 10 ms: a change within the tick of the file's writing would not show.
void waitForClockTick()
{
    QThread::msleep(20);
}

// Rewrites a file in place with other bytes of the same length, then puts
// its modification time back: only the change time tells.
void rewriteInPlaceKeepingTime(const QString &path)
{
    waitForClockTick();
    struct stat before {};
    ::stat(QFile::encodeName(path).constData(), &before);
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    QByteArray bytes = file.readAll();
    bytes[bytes.size() - 1] = char(~bytes.back());
    file.seek(0);
    file.write(bytes);
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

} // namespace

TEST(DecodeAhead, UsedOnlyForTheSameUnchangedFile)
{
    QTemporaryDir dir;
    const QString a = writePicture(dir, "a.bmp", 30, 20);
    const QString b = writePicture(dir, "b.bmp", 30, 20);
    const QString c = writePicture(dir, "c.bmp", 30, 20);
    const QString d = writePicture(dir, "d.bmp", 30, 20);
    QFile broken(dir.filePath("broken.jpg"));
    broken.open(QIODevice::WriteOnly);
    broken.write("\xFF\xD8\xFF not really");
    broken.close();
    const QString pipe = dir.filePath("pipe.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    display::DecodeAhead ahead;
    ahead.start(a);
    const auto picture = ahead.take(a);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixelSize(), QSize(30, 20));
    EXPECT_FALSE(ahead.take(a)) << "a request is used once";

    const struct
    {
        const char *name;
        std::function<void()> meanwhile;
        QString started, taken;
    } unused[] = {
        {"replaced", [&] { replaceWith(a, Qt::red, 31); }, a, a},
        {"rewritten in place, time kept", [&] { rewriteInPlaceKeepingTime(c); }, c, c},
        {"made unreadable", [&] { waitForClockTick(); QFile::setPermissions(d, {}); }, d, d},
        {"deleted", [&] { QFile::remove(b); }, b, b},
        {"another file", [] {}, a, dir.filePath("e.bmp")},
        {"failed to decode", [] {}, broken.fileName(), broken.fileName()},
        {"a pipe, never opened", [] {}, pipe, pipe},
    };
    for (const auto &c : unused) {
        ahead.start(c.started);
        ahead.wait();
        c.meanwhile();
        EXPECT_FALSE(ahead.take(c.taken)) << c.name;
    }
}

TEST(DecodeAhead, SkipsPicturesBeyondItsMemoryBudget)
{
    QTemporaryDir dir;
    const QString big = writePicture(dir, "big.bmp", 400, 300);
    display::DecodeAhead ahead(400 * 300 * 4 - 1);
    ahead.start(big);
    EXPECT_FALSE(ahead.take(big));
}

TEST(DecodeAhead, StepsShowTheFileAsItIsNow)
{
    QTemporaryDir dir;
    for (const char *name : {"1.bmp", "2.bmp", "3.bmp"})
        writePicture(dir, name, 30, 20);
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;

    w.cbNext_Click(); // 1.bmp; 2.bmp is decoded ahead
    replaceWith(dir.filePath("2.bmp"), Qt::red, 50);
    t.statuses.clear();
    w.cbNext_Click();
    EXPECT_EQ(w.strPicturePath, dir.filePath("2.bmp"));
    EXPECT_FLOAT_EQ(w.picOutPicture->width(), 50 * 15) << "the replaced file is shown";
    EXPECT_EQ(t.loads(), 1);

    QFile::remove(dir.filePath("3.bmp")); // decoded ahead, then deleted
    w.cbNext_Click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].caption, "Ошибка");
    EXPECT_TRUE(w.strPicturePath.isEmpty());

    // Back the other way: 2.bmp, read as it is on disk.
    w.cbPrev_Click();
    EXPECT_EQ(w.strPicturePath, dir.filePath("2.bmp"));
    EXPECT_FLOAT_EQ(w.picOutPicture->width(), 50 * 15);
}

TEST(DecodeAhead, AStepTakesThePictureDecodedAhead)
{
    QTemporaryDir dir;
    for (const char *name : {"1.bmp", "2.bmp"})
        writePicture(dir, name, 30, 20);
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;

    w.cbNext_Click(); // 1.bmp, read by the step; 2.bmp is decoded ahead
    const int reads = t.pictures.calls;
    w.cbNext_Click();
    EXPECT_EQ(w.strPicturePath, dir.filePath("2.bmp"));
    EXPECT_EQ(t.pictures.calls, reads) << "the step used the picture decoded ahead";
    EXPECT_FLOAT_EQ(w.picOutPicture->width(), 30 * 15);

    // The view switch reads the file itself.
    w.mnuViewPictureToWindow_Click();
    EXPECT_EQ(t.pictures.calls, reads + 1);
}

TEST(DecodeAhead, LeavesQtsOwnThreadsToPainting)
{
    // Qt splits large fills over its global pool and waits for them: with
    // decodes holding that pool the window would freeze. The pool must stay
    // idle for as long as a decode ahead runs.
    QTemporaryDir dir;
    const QString big = writePicture(dir, "big.bmp", 3000, 2000);
    QThreadPool *qtPool = QThreadPool::globalInstance();
    display::DecodeAhead ahead;
    ahead.start(big);
    std::atomic_bool done = false;
    bool decoded = false;
    std::thread taker([&] {
        decoded = bool(ahead.take(big));
        done = true;
    });
    int busy = 0;
    while (!done)
        busy = std::max(busy, qtPool->activeThreadCount());
    taker.join();
    EXPECT_TRUE(decoded);
    EXPECT_EQ(busy, 0);
}
