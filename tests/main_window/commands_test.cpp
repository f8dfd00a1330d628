// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "main_window/texts.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/ImageControl.h"
#include "platform/Label.h"
#include "platform/MenuItem.h"
#include "platform/PictureBox.h"
#include "support/TestWindow.h"

using platform::Answer;
using platform::Buttons;
using platform::Icon;

TEST(Delete, AsksAndDeletesOnlyOnYes)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        QTemporaryDir dir;
        const QString path = writePicture(dir, "a.bmp", 4, 4);
        TestWindow t(dir.path());
        t.window->NewPicture(path);
        t.statuses.clear();
        t.dialogs.answers = {answer};

        t.window->mnuViewDelete_Click();

        ASSERT_EQ(t.dialogs.shown.size(), 1);
        EXPECT_EQ(t.dialogs.shown[0].text, "Уверены что хотите удалить " + path + "?");
        EXPECT_EQ(t.dialogs.shown[0].caption, "Lumarin");
        EXPECT_EQ(t.dialogs.shown[0].buttons, Buttons::YesNo);
        EXPECT_EQ(t.dialogs.shown[0].icon, Icon::None);
        EXPECT_EQ(QFile::exists(path), answer == Answer::No);
        // Nothing else changes: picture, title, path, status, picker.
        EXPECT_EQ(t.window->strPicturePath, path);
        EXPECT_EQ(t.window->form->caption(), "Lumarin - " + path);
        EXPECT_TRUE(t.window->picOutPicture->isVisible());
        EXPECT_TRUE(t.statuses.isEmpty());
    }
}

TEST(Delete, AFailedDeletionReachesTheErrorGuard)
{
    QTemporaryDir dir;
    // Read-only by its mode alone, so the refusal holds for the superuser too.
    const QString readOnly = writePicture(dir, "read-only.bmp", 4, 4);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const struct
    {
        const char *name;
        QString path;
        QString report;
    } cases[] = {
        {"already gone", dir.filePath("gone.bmp"), "Error 53\nФайл не найден"},
        {"no picture", QString(), "Error 75\nОшибка доступа к пути или файлу"},
        {"read-only", readOnly, "Error 75\nОшибка доступа к пути или файлу"},
    };
    for (const auto &c : cases) {
        TestWindow t(dir.path());
        t.window->strPicturePath = c.path;
        t.dialogs.answers = {Answer::Yes};

        // Through the button, as the user presses it.
        emit t.window->cbDel->click();

        ASSERT_EQ(t.dialogs.shown.size(), 2) << c.name;
        if (c.path.isEmpty()) {
            EXPECT_EQ(t.dialogs.shown[0].text, "Уверены что хотите удалить ?");
        }
        EXPECT_TRUE(t.dialogs.shown[1].text.startsWith(c.report)) << t.dialogs.shown[1].text.toStdString();
        EXPECT_EQ(t.dialogs.shown[1].icon, Icon::Stop);
        EXPECT_EQ(t.window->strPicturePath, c.path);
    }
    EXPECT_TRUE(QFile::exists(readOnly));
}

TEST(FitToWindow, TogglesAndReloadsTheFile)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "a.bmp", 40, 30);
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;

    w.mnuViewPictureToWindow_Click(); // no picture: only the check mark moves
    EXPECT_TRUE(w.mnuViewPictureToWindow->isChecked());
    EXPECT_EQ(w.form->caption(), "Lumarin");
    EXPECT_TRUE(t.dialogs.shown.isEmpty());

    w.NewPicture(path);
    EXPECT_TRUE(w.imgOutPicture->isVisible());
    const auto fitted = w.picLoadPicture->picture();

    w.mnuViewPictureToWindow_Click();
    EXPECT_FALSE(w.mnuViewPictureToWindow->isChecked());
    EXPECT_TRUE(w.picOutPicture->isVisible());
    EXPECT_FALSE(w.imgOutPicture->isVisible());
    EXPECT_NE(w.picLoadPicture->picture(), fitted) << "the file is read again";

    QFile::remove(path);
    w.mnuViewPictureToWindow_Click();
    EXPECT_TRUE(w.mnuViewPictureToWindow->isChecked());
    EXPECT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(w.form->caption(), "Lumarin");
    EXPECT_FALSE(w.imgOutPicture->isVisible());
}

TEST(Browse, OpenAndBrowseShowTheOnePicker)
{
    QTemporaryDir dir;
    TestWindow t(dir.path());
    frmFilePicker *first = &t.picker();
    first->form->hide();

    t.window->mnuFileOpenPic_Click();
    EXPECT_EQ(&t.picker(), first);
    EXPECT_TRUE(first->form->isVisible());
    EXPECT_EQ(t.window->lblProgramStatus->caption(), texts::StatusReady);
}
