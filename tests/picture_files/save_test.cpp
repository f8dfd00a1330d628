// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "main_window/Texts.h"
#include "picture_files/save_name.h"
#include "platform/controls/Label.h"
#include "support/Pictures.h"
#include "support/TestWindow.h"

TEST(Save, WritesTheOriginalBytesOrReportsWhyNot)
{
    QTemporaryDir dir;
    // The format of the picture shown (none: an empty window), the name
    // chosen (none: cancelled).
    const struct { const char *name, *format; QString answer; bool written; QString report; } cases[] = {
        {"bitmap", "BMP", dir.filePath("copy.xyz"), true, ""},
        {"JPEG", "JPEG", dir.filePath("copy.xyz"), true, ""},
        {"icon", "ICO", dir.filePath("copy.xyz"), true, ""},
        {"cancelled", "BMP", "", false, ""},
        {"the pattern left in the name", "BMP", dir.filePath("*.BMP"), false, ""},
        {"no picture", nullptr, dir.filePath("copy.xyz"), false, "Error: 481\r\n"},
        {"a folder", "BMP", dir.path(), false, "Error: 75\r\n"},
        {"missing folder", "BMP", dir.filePath("none/copy.xyz"), false, "Error: 76\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dir.filePath("copy.xyz"));
        QFile(dir.filePath("copy.xyz")).open(QIODevice::WriteOnly); // replaced without a question
        TestWindow t(dir.path());
        const QString source = c.format ? writePicture(dir, QString("p.") + c.format, 30, 20, c.format) : "";
        if (c.format) {
            t.window->NewPicture(source);
            t.waitForLoad();
        }
        if (!c.answer.isEmpty())
            t.dialogs.saveAnswers = {c.answer};
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        QString statusWhileOpen;
        t.dialogs.whileOpen = [&](const auto &) { statusWhileOpen = t.window->lblProgramStatus->caption(); };
        t.statuses.clear();

        t.window->mnuFileSavePic_Click();

        EXPECT_EQ(testFile(dir.filePath("copy.xyz")), c.written ? testFile(source) : QByteArray());
        EXPECT_EQ(t.dialogs.shown.size(), c.report.isEmpty() ? 0 : 1);
        if (!c.report.isEmpty()) {
            EXPECT_TRUE(t.dialogs.shown[0].text.startsWith(c.report)) << t.dialogs.shown[0].text.toStdString();
            EXPECT_EQ(t.dialogs.shown[0].icon, platform::Icon::Exclamation);
            EXPECT_EQ(statusWhileOpen, texts::StatusError);
        }
        EXPECT_EQ(t.statuses.first(), texts::StatusSaving);
        EXPECT_EQ(t.statuses.last(), texts::StatusReady);
        EXPECT_EQ(t.window->strPicturePath, source);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), files) << "nothing else written";
    }
}

TEST(Save, TheDialogStartsWhereTheUserMaySavePictures)
{
    QTemporaryDir own, picker;
    const struct { const char *name; QString program; bool usedAsItIs; } cases[] = {
        {"a folder the user writes to", own.path(), true},
        // Where an installed program lives: root may write there, and
        // should not save pictures there.
        {"the system's program folder", "/usr/bin", false},
        {"a folder that is gone", own.filePath("gone"), false},
    };
    platform::Workers workers;
    for (const auto &c : cases)
        EXPECT_EQ(saveFolder(workers, c.program, picker.path()), c.usedAsItIs ? c.program : picker.path()) << c.name;
}
