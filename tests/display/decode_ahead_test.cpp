// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <future>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "display/DecodeAhead.h"
#include "platform/controls/StretchedPicture.h"
#include "platform/system/Workers.h"
#include "support/Pictures.h"
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

// Lowers the limit of open files to what is open now, so that the next
// open fails (until the limit is set back).
static void refuseNewFileHandles()
{
    const int lowestFree = ::dup(0);
    ::close(lowestFree);
    rlimit limit {};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = rlim_t(lowestFree);
    setrlimit(RLIMIT_NOFILE, &limit);
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
        {"its pixels within the budget, not with the file's bytes", [] {}, b, b, false, 30 * 20 * 4},
        {"replaced", [&] { QFile::remove(a); QFile::rename(writePicture(dir, "new.bmp", 30, 20), a); }, a, a},
        {"rewritten in place, time kept", [&] { rewriteInPlaceKeepingTime(c); }, c, c},
        // Nothing about the file changed, yet a fresh read would fail: here
        // because no file handle is left (taking permissions away would
        // change the file's identity and be caught by that).
        {"no longer opens", [] { refuseNewFileHandles(); }, d, d},
        {"deleted", [&] { QFile::remove(b); }, b, b},
        {"another file", [] {}, a, dir.filePath("e.bmp")},
        {"failed to decode", [] {}, broken, broken},
        {"a pipe, never opened", [] {}, pipe, pipe},
    };
    rlimit handles {};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &handles), 0);
    platform::Workers workers;
    for (const auto &c : cases) {
        display::DecodeAhead ahead(workers, {}, c.budget);
        ahead.start(c.started);
        ahead.wait();
        c.meanwhile();
        const bool used = bool(ahead.take(c.taken));
        setrlimit(RLIMIT_NOFILE, &handles);
        EXPECT_EQ(used, c.used) << c.name;
        EXPECT_FALSE(ahead.take(c.taken)) << c.name << ": a request is used once";
    }
}

TEST(DecodeAhead, MakesTheFittedViewsReducedCopyToo)
{
    QTemporaryDir dir;
    const QString big = writePicture(dir, "big.bmp", 800, 600);
    platform::Workers workers;
    display::DecodeAhead ahead(workers);
    ahead.start(big, {}, QSize(100, 80)); // 800 → 400 → 200; 100 × 75 would be too short
    const auto picture = ahead.take(big);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->reducedCopy().size(), QSize(200, 150));
    platform::StretchedPicture view(nullptr);
    view.setPicture(picture);
    EXPECT_EQ(view.sourceFor({100, 80}).cacheKey(), picture->reducedCopy().cacheKey()) << "used as it is";
}

// A top-down 32-bit bitmap with an alpha mask (version 4 header), which
// Qt does not write.
static void saveWithAlpha(const QImage &image, const QString &path)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const qint64 headerSize = 108, pixelBytes = pixels.sizeInBytes();
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("BM" + le({14 + headerSize + pixelBytes, 0, 14 + headerSize}));
    file.write(le({headerSize, pixels.width(), -pixels.height()}) + le({1, 32}, 2));
    file.write(le({3, pixelBytes, 2835, 2835, 0, 0, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000, 0x73524742}));
    file.write(QByteArray(48, '\0')); // colour space end points and gammas, unused for sRGB
    file.write(reinterpret_cast<const char *>(pixels.constBits()), pixelBytes);
}

TEST(DecodeAhead, LeavesQtsOwnThreadsToPainting)
{
    // Qt splits large fills, conversions and smooth scaling over its global
    // pool and waits for them: with decodes holding that pool the window
    // would freeze. The pool must stay idle while a decode ahead runs, for
    // every kind of pixels a decode gives, its reduced copy included.
    QTemporaryDir dir;
    const QSize size(3000, 2000);
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb *>(image.scanLine(y)), size.width(), qRgba(y % 256, 90, 40, 200));
    const struct { const char *name; QImage::Format format; } cases[] = { // saved and decoded in that format
        {"rgb.bmp", QImage::Format_RGB32},
        {"paletted.bmp", QImage::Format_Indexed8},
        {"grey.jpg", QImage::Format_Grayscale8},
        {"straight-alpha.bmp", QImage::Format_ARGB32},
    };
    QThreadPool *qtPool = QThreadPool::globalInstance();
    platform::Workers workers;
    for (const auto &c : cases) {
        const QString path = dir.filePath(c.name);
        if (c.format == QImage::Format_ARGB32)
            saveWithAlpha(image, path);
        else
            EXPECT_TRUE(image.convertToFormat(c.format).save(path)) << c.name;
        display::DecodeAhead ahead(workers);
        ahead.start(path, {}, QSize(300, 200));
        auto taken = std::async(std::launch::async, [&] { return ahead.take(path); });
        int busy = 0;
        while (taken.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            busy = std::max(busy, qtPool->activeThreadCount());
        const platform::PicturePtr picture = taken.get();
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->image().format(), c.format) << c.name;
        EXPECT_EQ(picture->reducedCopy().size(), QSize(375, 250)) << c.name;
        EXPECT_EQ(busy, 0) << c.name;
    }
}
