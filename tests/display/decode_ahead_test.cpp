// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <future>

#include <fcntl.h>
#include <sys/stat.h>

#include "display/DecodeAhead.h"
#include "platform/pictures/StretchedPicture.h"
#include "support/TestWindow.h"

// Rewrites a file in place with other bytes of the same length, then puts
// its modification time back: only the change time tells.
static void rewriteInPlaceKeepingTime(const QString &path)
{
    QThread::msleep(20); // file times advance in coarse ticks of up to 10 ms
    struct stat before {};
    ::stat(QFile::encodeName(path).constData(), &before);
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    const char last = file.readAll().back();
    file.seek(file.size() - 1);
    file.putChar(char(~last));
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

TEST(DecodeAhead, UsedOnceAndOnlyForTheSameUnchangedFileWithinTheBudget)
{
    QTemporaryDir dir;
    const QString a = writePicture(dir, "a.bmp", 30, 20), b = writePicture(dir, "b.bmp", 30, 20);
    const QString c = writePicture(dir, "c.bmp", 30, 20), d = writePicture(dir, "d.bmp", 30, 20);
    const QString broken = writePicture(dir, "broken.jpg", 30, 20, "JPEG");
    QFile::resize(broken, 3);
    const QString pipe = dir.filePath("pipe.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    const struct {
        const char *name;
        std::function<void()> meanwhile;
        QString started, taken;
        bool used = false;
        qint64 budget = qint64(256) << 20;
    } cases[] = {
        {"unchanged", [] {}, a, a, true},
        {"beyond the budget", [] {}, b, b, false, 30 * 20 * 4 - 1},
        {"replaced", [&] { QFile::remove(a); QFile::rename(writePicture(dir, "new.bmp", 30, 20), a); }, a, a},
        {"rewritten in place, time kept", [&] { rewriteInPlaceKeepingTime(c); }, c, c},
        {"made unreadable", [&] { QThread::msleep(20); QFile::setPermissions(d, {}); }, d, d},
        {"deleted", [&] { QFile::remove(b); }, b, b},
        {"another file", [] {}, a, dir.filePath("e.bmp")},
        {"failed to decode", [] {}, broken, broken},
        {"a pipe, never opened", [] {}, pipe, pipe},
    };
    for (const auto &c : cases) {
        display::DecodeAhead ahead(c.budget);
        ahead.start(c.started);
        ahead.wait();
        c.meanwhile();
        EXPECT_EQ(bool(ahead.take(c.taken)), c.used) << c.name;
        EXPECT_FALSE(ahead.take(c.taken)) << c.name << ": a request is used once";
    }
}

TEST(DecodeAhead, MakesTheFittedViewsReducedCopyToo)
{
    QTemporaryDir dir;
    const QString big = writePicture(dir, "big.bmp", 800, 600);
    display::DecodeAhead ahead;
    ahead.start(big, {}, QSize(100, 80)); // 800 → 400 → 200; 100 × 75 would be too short
    const auto picture = ahead.take(big);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->reducedCopy().size(), QSize(200, 150));
    platform::StretchedPicture view(nullptr);
    view.setPicture(picture);
    EXPECT_EQ(view.sourceFor({100, 80}).cacheKey(), picture->reducedCopy().cacheKey()) << "used as it is";
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
    auto taken = std::async(std::launch::async, [&] { return bool(ahead.take(big)); });
    int busy = 0;
    while (taken.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        busy = std::max(busy, qtPool->activeThreadCount());
    EXPECT_TRUE(taken.get());
    EXPECT_EQ(busy, 0);
}
