// SPDX-License-Identifier: GPL-2.0-or-later
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "main_window/texts.h"
#include "picture_files/save_name.h"
#include "platform/Label.h"
#include "support/TestWindow.h"

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

TEST(SaveName, OnlyARealChoiceIsSaved)
{
    const struct
    {
        QString name, ext;
        bool chosen;
    } cases[] = {
        {"", "jpg", false},
        {"*.jpg", "jpg", false},
        {"/home/u/*.jpg", "jpg", false},
        {"/home/u/copy.jpg", "jpg", true},
        {"/home/u/*.JPG", "jpg", true}, // letter case counts
        {"/home/u/copy.peg", "peg", true},
        {"/home/u/*.peg", "peg", false},
        {"/home/u/*.", "", false},
        {"/home/u/copy", "", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(nameWasChosen(c.name, c.ext), c.chosen) << c.name.toStdString();
}

TEST(Save, WritesTheOriginalBytesUnderTheChosenName)
{
    QTemporaryDir dir;
    for (const char *format : {"BMP", "JPEG", "ICO"}) {
        const QString source = writePicture(dir, QString("p.") + format, 30, 20, format);
        TestWindow t(dir.path());
        t.window->NewPicture(source);
        const QString target = dir.filePath(QString("copy-") + format + ".xyz");
        QFile(target).open(QIODevice::WriteOnly); // replaced without a question
        t.dialogs.saveAnswers = {target};
        t.statuses.clear();

        t.window->mnuFileSavePic_Click();

        EXPECT_EQ(contents(target), contents(source)) << format;
        EXPECT_EQ(t.statuses, (QStringList{texts::StatusSaving, texts::StatusReady}));
        const platform::CommonDialog &shown = t.dialogs.saveDialogs.at(0);
        const QString ext = t.window->strPictureExt;
        EXPECT_EQ(shown.FileName, "*." + ext);
        EXPECT_EQ(shown.DefaultExt, ext);
        EXPECT_EQ(shown.Filter, "(*." + ext + ")|*." + ext);
        EXPECT_EQ(shown.Flags, 0x8400);
        EXPECT_EQ(shown.InitDir, QCoreApplication::applicationDirPath());
        EXPECT_TRUE(t.dialogs.shown.isEmpty());
    }
}

TEST(Save, CancelWritesNothingAndSaysNothing)
{
    QTemporaryDir dir;
    TestWindow t(dir.path());
    t.window->NewPicture(writePicture(dir, "p.bmp", 4, 4));
    t.window->mnuFileSavePic_Click(); // no answer queued: cancelled
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(t.window->lblProgramStatus->caption(), texts::StatusReady);
}

TEST(Save, FailuresAreReportedAndLeaveEverythingAsItWas)
{
    QTemporaryDir dir;
    const QString picture = writePicture(dir, "p.bmp", 4, 4);
    const struct
    {
        const char *name;
        bool withPicture;
        QString target;
        QString report;
    } cases[] = {
        {"no picture", false, dir.filePath("x.bmp"), "Error: 481\r\nНедопустимый рисунок"},
        {"a folder", true, dir.path(), "Error: 75\r\n"},
        {"missing folder", true, dir.filePath("none/x.bmp"), "Error: 76\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow t(dir.path());
        if (c.withPicture)
            t.window->NewPicture(picture);
        const QString path = t.window->strPicturePath;
        t.dialogs.saveAnswers = {c.target};
        QString statusWhileOpen;
        t.dialogs.whileOpen = [&](const auto &) { statusWhileOpen = t.window->lblProgramStatus->caption(); };

        t.window->mnuFileSavePic_Click();

        ASSERT_EQ(t.dialogs.shown.size(), 1);
        EXPECT_TRUE(t.dialogs.shown[0].text.startsWith(c.report)) << t.dialogs.shown[0].text.toStdString();
        EXPECT_EQ(t.dialogs.shown[0].caption, "Lumarin");
        EXPECT_EQ(t.dialogs.shown[0].icon, platform::Icon::Exclamation);
        EXPECT_EQ(statusWhileOpen, texts::StatusError);
        EXPECT_EQ(t.window->lblProgramStatus->caption(), texts::StatusReady);
        EXPECT_EQ(t.window->strPicturePath, path);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.bmp"});
}
