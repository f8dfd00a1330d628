// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QImage>
#include <QTemporaryDir>


#include <gtest/gtest.h>

#include "Viewer.h"
#include "support/QtPrinting.h"

TEST(Startup, APictureOrFolderNamedOnTheCommandLineOpensInThePicker)
{
    QTemporaryDir pictures;
    const QString folder = pictures.path();
    for (const char *name : {"bmpsuite/g/rgb24.bmp", "pillow/hopper.gif", "pillow/rgb.jpg"})
        QFile::copy(QStringLiteral(LUMARIN_TESTDATA_DIR "/") + name, folder + "/" + QFileInfo(name).fileName());
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
        // Placed once the main window is: beside it, covering none of it.
        const QString picker = viewer.waitForWindow("Выберите папку/файл");
        EXPECT_TRUE(e2e::waitUntil(5000, [&] { return !viewer.geometry(picker).intersects(viewer.geometry(window)); }))
            << c.name;
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
        // The last closes from the window manager's close box (Alt+F4).
        viewer.key(window, {&c == &cases[3] ? "alt+F4" : "alt+q"});
        EXPECT_TRUE(viewer.waitForExit()) << c.name;
        EXPECT_EQ(viewer.exitCode(), 0) << c.name;
    }
}

TEST(Startup, AfterTheEndOfOptionsANameIsTheProgramsNotQts)
{
    QTemporaryDir folder;
    QFile::copy(QStringLiteral(LUMARIN_TESTDATA_DIR "/bmpsuite/g/rgb24.bmp"), folder.filePath("-reverse"));
    e2e::Viewer viewer(folder.path(), {"--", "-reverse"});
    const QString window = viewer.waitForWindow("Lumarin.*");
    ASSERT_FALSE(window.isEmpty());
    const QString shown = "Lumarin - " + folder.filePath("-reverse");
    EXPECT_EQ(viewer.waitForTitle(window, shown), shown);
    // Taken by Qt as well, it would have put the menus on the right.
    const QImage shot = viewer.screenshot(window);
    qint64 sum = 0, count = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (qGray(shot.pixel(x, y)) < 96) {
                sum += x;
                ++count;
            }
        }
    }
    ASSERT_GT(count, 0) << "no menu text found";
    EXPECT_LT(sum / count, shot.width() / 2) << "the menus begin on the left";
    ASSERT_TRUE(viewer.exitWithAltQ(window));
    EXPECT_EQ(viewer.exitCode(), 0);
}
