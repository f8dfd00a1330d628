// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>

#include <thread>

#include "platform/files/FileOperations.h"
#include "platform/pictures/PictureSaver.h"
#include "platform/system/Error.h"
#include "support/Pictures.h"

// A full disk and a read-only one, made for real: a small file system
// mounted where only one thread sees it. The superuser (as the tests run in
// CI) passes every permission check, so only a disk can refuse it.
TEST(DiskRefusals, FullOrReadOnlyDisksGiveTheirOwnNumbers)
{
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    const QString target = dir.filePath(QStringLiteral("copy.bmp"));
    const QString kept = dir.filePath(QStringLiteral("kept.bmp"));
    const platform::Picture picture(platform::Picture::Kind::Bitmap, QImage(4, 4, QImage::Format_RGB32),
                                    QByteArray(256 * 1024, 'x'));

    bool mounted = false;
    int saveOnFull = -1, saveOnReadOnly = -1, deleteOnReadOnly = -1;
    bool keptRemains = false;
    QStringList leftBehind;
    std::thread([&] {
        // Mount namespaces belong to threads: this one's ends with it.
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("none", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            return;
        mounted = true;
        QFile small(kept);
        small.open(QIODevice::WriteOnly);
        small.write("BM");
        small.close();
        saveOnFull = errorOf([&] { platform::savePicture(picture, target); });
        leftBehind = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
        saveOnReadOnly = errorOf([&] { platform::savePicture(picture, target); });
        deleteOnReadOnly = errorOf([&] { platform::deleteFile(kept); });
        keptRemains = QFile::exists(kept);
    }).join();
    if (!mounted)
        GTEST_SKIP() << "no right to mount a file system here";

    EXPECT_EQ(saveOnFull, platform::errc::DiskFull);
    EXPECT_EQ(leftBehind, QStringList{"kept.bmp"}) << "no part of the copy";
    EXPECT_EQ(saveOnReadOnly, platform::errc::PermissionDenied);
    EXPECT_EQ(deleteOnReadOnly, platform::errc::PermissionDenied);
    EXPECT_TRUE(keptRemains);
}
