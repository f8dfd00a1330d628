// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "Viewer.h"
#include "support/QtPrinting.h"

namespace {

// How much a band of the window varies: a drawn menu, button row or text
// has dark and light pixels, an empty area has one colour.
int contrast(const QImage &image, const QRect &band)
{
    int darkest = 255;
    int lightest = 0;
    const QRect area = band.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int gray = qGray(image.pixel(x, y));
            darkest = std::min(darkest, gray);
            lightest = std::max(lightest, gray);
        }
    }
    return lightest - darkest;
}

QString copyTestPictures(const QTemporaryDir &folder)
{
    for (const char *name : {"bmpsuite/g/rgb24.bmp", "pillow/hopper.gif", "pillow/rgb.jpg"}) {
        const QString from = QStringLiteral(LUMARIN_TESTDATA_DIR "/") + name;
        QFile::copy(from, folder.filePath(QFileInfo(from).fileName()));
    }
    return folder.path();
}

} // namespace

TEST(Startup, ShowsTheEmptyMainWindowAndClosesCleanly)
{
    QTemporaryDir pictures;
    e2e::Viewer viewer(copyTestPictures(pictures));

    const QString window = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(viewer.title(window), "Lumarin");

    const QRect frame = viewer.geometry(window);
    EXPECT_GE(frame.width(), 600);
    EXPECT_GE(frame.height(), 300);

    const QImage shot = viewer.screenshot(window);
    ASSERT_FALSE(shot.isNull());
    const int w = shot.width();
    const int h = shot.height();
    EXPECT_GT(contrast(shot, QRect(0, 0, w / 3, 22)), 100) << "menu bar not drawn";
    EXPECT_GT(contrast(shot, QRect(270, 22, 340, 35)), 100) << "button row not drawn";
    EXPECT_GT(contrast(shot, QRect(0, h - 16, 80, 16)), 100) << "status line not drawn";
    EXPECT_LT(contrast(shot, QRect(20, 80, 200, 120)), 10) << "picture area not empty";

    viewer.key(window, {"alt+F4"});
    ASSERT_TRUE(viewer.waitForExit());
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.exitCode(), 0);
}

TEST(Startup, InAFolderThatIsGoneOpensItsNearestAncestor)
{
    QTemporaryDir pictures;
    copyTestPictures(pictures);
    QDir(pictures.path()).mkpath("gone/deeper");
    e2e::Viewer viewer(pictures.filePath("gone/deeper"),
                       "rmdir " + pictures.filePath("gone/deeper") + " " + pictures.filePath("gone"));
    const QString window = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(window.isEmpty());
    viewer.key(window, {"57"}); // N: the first picture of the folder the lists show
    const QString first = "Lumarin - " + pictures.filePath("hopper.gif");
    EXPECT_EQ(viewer.waitForTitle(window, first), first);
    EXPECT_TRUE(viewer.exitWithAltQ(window));
}

TEST(Startup, APictureOrFolderNamedOnTheCommandLineOpensInThePicker)
{
    QTemporaryDir pictures;
    const QString folder = copyTestPictures(pictures);
    QFile broken(pictures.filePath("zz-broken.jpg"));
    broken.open(QIODevice::WriteOnly);
    broken.write("\xFF\xD8\xFF no picture");
    broken.close();
    QTemporaryDir elsewhere; // the folder the viewer is started in
    const QString title = "Lumarin - " + folder + "/";

    const struct
    {
        const char *name;
        QStringList arguments;
        QString shown;     // title once started
        bool errorBox;     // the file is reported as it would be on a click
        QString afterNext; // title after N
    } cases[] = {
        {"a file", {folder + "/rgb.jpg"}, title + "rgb.jpg", false, title + "rgb24.bmp"},
        {"a file that fails", {folder + "/zz-broken.jpg"}, "Lumarin", true, title + "hopper.gif"},
        {"a folder", {folder}, "Lumarin", false, title + "hopper.gif"},
        {"a path that is not there", {folder + "/gone.jpg"}, "Lumarin", false, "Lumarin"},
    };
    for (const auto &c : cases) {
        e2e::Viewer viewer(elsewhere.path(), c.arguments);
        const QString window = viewer.waitForWindow("Lumarin.*");
        ASSERT_FALSE(window.isEmpty()) << c.name;
        if (c.errorBox) {
            const QString error = viewer.waitForWindow("Ошибка");
            ASSERT_FALSE(error.isEmpty()) << c.name;
            viewer.key(error, {"Return"});
            EXPECT_TRUE(viewer.waitForWindowGone(error)) << c.name;
        }
        EXPECT_EQ(viewer.waitForTitle(window, c.shown), c.shown) << c.name;
        viewer.key(window, {"57"});
        if (c.afterNext == "Lumarin") { // an empty folder: the picker says so
            const QString notice = viewer.waitForOtherWindow("Lumarin", window);
            ASSERT_FALSE(notice.isEmpty()) << c.name;
            viewer.key(notice, {"Return"});
        }
        EXPECT_EQ(viewer.waitForTitle(window, c.afterNext), c.afterNext) << c.name;
        EXPECT_TRUE(viewer.exitWithAltQ(window)) << c.name;
    }

    // Help and version need no window, nor even a display.
    for (const char *option : {"--help", "--version"}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        process.setProcessEnvironment(env);
        process.start(LUMARIN_BINARY, {option});
        ASSERT_TRUE(process.waitForFinished(10000)) << option;
        EXPECT_EQ(process.exitCode(), 0) << option;
        EXPECT_FALSE(process.readAllStandardOutput().isEmpty()) << option;
    }
}
