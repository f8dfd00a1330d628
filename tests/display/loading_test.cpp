// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "main_window/texts.h"
#include "platform/Form.h"
#include "platform/ImageControl.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/ScrollBar.h"
#include "support/TestWindow.h"

using platform::Buttons;
using platform::Icon;

namespace {

const QStringList LoadOk = {texts::StatusLoading, texts::StatusReady};
const QStringList LoadFailed = {texts::StatusLoading, texts::StatusError, texts::StatusLoading,
                                texts::StatusReady};

void expectEmptyWindow(const TestWindow &t)
{
    EXPECT_EQ(t.window->form->caption(), texts::Title);
    EXPECT_EQ(t.window->lblProgramStatus->caption(), texts::StatusReady);
    EXPECT_TRUE(t.window->strPicturePath.isEmpty());
    EXPECT_TRUE(t.window->strPictureExt.isEmpty());
    EXPECT_FALSE(t.window->picOutPicture->isVisible());
    EXPECT_FALSE(t.window->imgOutPicture->isVisible());
    EXPECT_FALSE(t.window->hscrPicRightLeft->isVisible());
    EXPECT_FALSE(t.window->vscrPicUpDown->isVisible());
    EXPECT_FALSE(t.window->picScrollBarsSquare->isVisible());
}

} // namespace

TEST(Loading, StartsEmptyAndReady)
{
    TestWindow t;
    EXPECT_EQ(t.statuses.first(), texts::StatusLoading);
    expectEmptyWindow(t);
    EXPECT_EQ(t.window->intScrollStep, 100);
    EXPECT_FALSE(t.window->picOutPicture->hasBorder());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST(Loading, ShowsAPictureAtItsOwnSize)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "photo.bmp", 300, 200);
    TestWindow t;
    t.statuses.clear();

    t.window->NewPicture(path);

    EXPECT_EQ(t.statuses, LoadOk);
    EXPECT_EQ(t.window->form->caption(), "Lumarin - " + path);
    EXPECT_EQ(t.window->strPictureExt, "bmp");
    EXPECT_TRUE(t.window->picOutPicture->isVisible());
    EXPECT_FLOAT_EQ(t.window->picOutPicture->width(), 300 * 15);
    EXPECT_FLOAT_EQ(t.window->picOutPicture->height(), 200 * 15);
    // One picture object for holder and view: nothing was copied.
    EXPECT_EQ(t.window->picOutPicture->picture(), t.window->picLoadPicture->picture());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST(Loading, BadFilesEndInTheErrorBoxAndAnEmptyWindow)
{
    QTemporaryDir dir;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    const auto read = [](const QString &path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    };
    const QByteArray jpeg = read(writePicture(dir, "good.jpg", 64, 48, "JPEG"));
    QByteArray huge = read(writePicture(dir, "small.bmp", 4, 4));
    huge.replace(18, 8, QByteArray::fromHex("60ea000060ea0000")); // 60000 × 60000

    const struct
    {
        const char *name;
        QString path;
        QString description;
    } cases[] = {
        {"missing file", dir.filePath("missing.jpg"), "Файл не найден"},
        {"missing folder", dir.filePath("nowhere/x.jpg"), "Путь не найден"},
        {"a folder", dir.path(), "Ошибка доступа к пути или файлу"},
        {"zero bytes", write("empty.bmp", {}), "Недопустимый рисунок"},
        {"text named .jpg", write("text.jpg", "not a picture at all\n"), "Недопустимый рисунок"},
        {"truncated JPEG", write("cut.jpg", jpeg.left(jpeg.size() / 2)), "Недопустимый рисунок"},
        {"60000 x 60000 bitmap", write("huge.bmp", huge), "Недостаточно памяти"},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow t;
        QString statusWhileOpen;
        t.dialogs.whileOpen = [&](const auto &) {
            statusWhileOpen = t.window->lblProgramStatus->caption();
        };
        t.statuses.clear();

        t.window->NewPicture(c.path);

        ASSERT_EQ(t.dialogs.shown.size(), 1);
        const auto &box = t.dialogs.shown.first();
        EXPECT_TRUE(box.text.startsWith(c.description)) << box.text.toStdString();
        EXPECT_EQ(box.caption, "Ошибка");
        EXPECT_EQ(box.buttons, Buttons::Ok);
        EXPECT_EQ(box.icon, Icon::Exclamation);
        EXPECT_EQ(statusWhileOpen, texts::StatusError);
        EXPECT_EQ(t.statuses, LoadFailed);
        expectEmptyWindow(t);
        EXPECT_TRUE(t.window->picLoadPicture->picture()->isEmpty());
    }
}

TEST(Loading, FailureAfterAGoodLoadDoesNotBringTheOldPictureBack)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "a.bmp", 40, 30);
    TestWindow t;
    t.window->NewPicture(path);
    ASSERT_TRUE(t.window->picOutPicture->isVisible());

    QFile::remove(path);
    t.window->LoadImage(); // as the view switch reloads

    EXPECT_EQ(t.dialogs.shown.size(), 1);
    expectEmptyWindow(t);
    EXPECT_TRUE(t.window->picLoadPicture->picture()->isEmpty());

    // Again, with the window resized while the error box is open: the
    // resize shows what the holder has, and that is no longer the old one.
    for (const bool fitted : {true, false}) {
        t.window->mnuViewPictureToWindow_Click(); // fitted first, then scrolled
        writePicture(dir, "a.bmp", 40, 30);
        t.window->NewPicture(path);
        QFile::remove(path);
        bool oldPictureShown = true;
        t.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) {
            t.resizeClient(500 + fitted, 400);
            oldPictureShown = !t.window->picOutPicture->picture()->isEmpty()
                || !t.window->imgOutPicture->picture()->isEmpty();
        };
        t.window->LoadImage();
        EXPECT_FALSE(oldPictureShown) << (fitted ? "fitted" : "scrolled");
        EXPECT_EQ(t.window->form->caption(), texts::Title);
    }
}

TEST(Loading, LetsGoOfThePreviousPictureBeforeReadingTheNext)
{
    QTemporaryDir dir;
    TestWindow t;
    for (const bool fitted : {false, true}) {
        if (fitted)
            t.window->mnuViewPictureToWindow_Click();
        t.window->NewPicture(writePicture(dir, "a.bmp", 400, 300));
        const std::weak_ptr<const platform::Picture> previous = t.window->picLoadPicture->picture();
        bool stillHeld = true;
        t.pictures.beforeLoad = [&] { stillHeld = !previous.expired(); };
        t.window->NewPicture(writePicture(dir, "b.bmp", 400, 300));
        t.pictures.beforeLoad = nullptr;
        EXPECT_FALSE(stillHeld) << (fitted ? "fitted" : "scrolled");
    }
}

TEST(Loading, ResetsScrollPositionsAndTheCanvas)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "big.bmp", 2000, 1500);
    TestWindow t;
    t.window->NewPicture(path);
    t.window->hscrPicRightLeft->setValue(20);
    t.window->vscrPicUpDown->setValue(10);
    ASSERT_FLOAT_EQ(t.window->picOutPicture->left(), -2000);

    t.window->LoadImage();

    EXPECT_EQ(t.window->hscrPicRightLeft->value(), 0);
    EXPECT_EQ(t.window->vscrPicUpDown->value(), 0);
    EXPECT_FLOAT_EQ(t.window->picOutPicture->left(), 0);
    EXPECT_FLOAT_EQ(t.window->picOutPicture->top(), 0);
}
