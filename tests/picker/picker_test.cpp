// SPDX-License-Identifier: GPL-2.0-or-later
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "platform/Form.h"
#include "platform/TextBox.h"
#include "support/TestWindow.h"

using platform::Volume;

TEST(Picker, OpensInTheCurrentFolderAndFillsTheFolderField)
{
    QTemporaryDir dir;
    writePicture(dir, "a.bmp", 4, 4);
    TestWindow t(dir.path());
    frmFilePicker &p = t.picker();

    EXPECT_EQ(p.form->caption(), "Выберите папку/файл");
    EXPECT_TRUE(p.form->isVisible());
    EXPECT_EQ(p.form->parentWidget(), t.window->form.get());
    EXPECT_EQ(p.dirDirectory->path(), dir.path());
    EXPECT_EQ(t.window->txtDir->text(), dir.path());
    EXPECT_EQ(p.fleFile->path(), dir.path());
    EXPECT_EQ(p.fleFile->listIndex(), -1);
    EXPECT_TRUE(p.blnLoadOnClick);
}

TEST(Picker, ListsPictureFilesWhateverTheirNames)
{
    QTemporaryDir dir;
    const QStringList names = {"Фото 1.JPG", "it's \"quoted\".gif", "b.Jpeg", "c.jpe", "d.dib",
                               "e.ico", "f.cur", "g.wmf", "h.emf", "new\nline.bmp"};
    for (const QString &name : names)
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    for (const char *other : {"x.png", "y.jpg.txt", ".z.jpg"})
        QFile(dir.filePath(QString::fromUtf8(other))).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("folder.jpg");

    TestWindow t(dir.path());
    QStringList listed;
    for (int i = 0; i < t.picker().fleFile->listCount(); ++i)
        listed << t.picker().fleFile->list(i);
    EXPECT_EQ(listed.size(), names.size());
    for (const QString &name : names)
        EXPECT_TRUE(listed.contains(name)) << name.toStdString();
}

TEST(Picker, AFolderChangeRereadsTheFilesAndUpdatesTheFolderField)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("empty");
    writePicture(dir, "a.bmp", 4, 4);
    TestWindow t(dir.path());
    frmFilePicker &p = t.picker();
    p.fleFile->setListIndex(0);

    p.dirDirectory->setPath(dir.filePath("empty"));

    EXPECT_EQ(t.window->txtDir->text(), dir.filePath("empty"));
    EXPECT_EQ(p.fleFile->listCount(), 0);
    EXPECT_EQ(p.fleFile->listIndex(), -1);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST(Picker, AnUnavailableDriveIsReportedAndTheShownFolderComesBack)
{
    QTemporaryDir home, stick;
    writePicture(home, "a.bmp", 4, 4);
    TestWindow t(home.path());
    t.volumes.volumes.append({stick.path(), "stick"});
    t.volumes.gone.insert(stick.path());
    frmFilePicker &p = t.picker();

    p.drvDrive->setDrive(stick.path()); // as the user's choice

    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].text, "Устройство недоступно.");
    EXPECT_EQ(t.dialogs.shown[0].caption, "Lumarin");
    EXPECT_EQ(t.dialogs.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(p.drvDrive->drive(), "/ [root]");
    EXPECT_EQ(p.dirDirectory->path(), home.path());
    EXPECT_EQ(p.fleFile->listCount(), 1);
}

TEST(Picker, OtherDriveErrorsAreReportedWithTheirNumber)
{
    QTemporaryDir home;
    TestWindow t(home.path());
    t.volumes.volumes.append({home.filePath("not-there"), "lost"});
    frmFilePicker &p = t.picker();

    p.drvDrive->setDrive(home.filePath("not-there"));

    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.startsWith("Error 76 Путь не найден"));
    EXPECT_EQ(t.dialogs.shown[0].caption, "Ошибка");
    EXPECT_EQ(t.dialogs.shown[0].icon, platform::Icon::None);
    EXPECT_EQ(p.drvDrive->drive(), home.filePath("not-there") + " [lost]");
    EXPECT_EQ(p.dirDirectory->path(), home.path());
}

TEST(Picker, ChoosingADriveOpensTheFolderLastOpenedOnIt)
{
    QTemporaryDir stick, disc;
    QDir(stick.path()).mkdir("photos");
    TestWindow t;
    t.volumes.volumes.append({stick.path(), "stick"});
    t.volumes.volumes.append({disc.path(), "disc"});
    frmFilePicker &p = t.picker();
    p.dirDirectory->setPath(stick.filePath("photos"));

    p.drvDrive->setDrive(disc.path() + " [disc]");
    EXPECT_EQ(p.dirDirectory->path(), disc.path() + "/");
    EXPECT_EQ(t.window->txtDir->text(), disc.path() + "/");

    p.drvDrive->setDrive(stick.path() + " [stick]");
    EXPECT_EQ(p.dirDirectory->path(), stick.filePath("photos"));
}

TEST(Picker, TheCloseBoxOnlyHidesUntilTheOwnerCloses)
{
    QTemporaryDir dir;
    TestWindow t(dir.path());
    frmFilePicker &p = t.picker();
    p.fleFile->setListIndex(-1);

    EXPECT_FALSE(p.form->close());
    EXPECT_FALSE(p.form->isVisible());
    ASSERT_FALSE(p.form.isNull());

    t.window->cbPickDir_Click();
    EXPECT_TRUE(p.form->isVisible());
    EXPECT_EQ(p.dirDirectory->path(), dir.path());

    p.form->hide();
    EXPECT_TRUE(t.window->form->close());
    EXPECT_FALSE(p.form->isVisible());
}
