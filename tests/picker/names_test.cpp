// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/controls/CommandButton.h"
#include "platform/controls/DirList.h"
#include "platform/controls/FileList.h"
#include "platform/controls/Form.h"
#include "platform/controls/TextBox.h"
#include "platform/system/Error.h"
#include "platform/system/FileNames.h"
#include "support/TestWindow.h"

using platform::decodeFileName;

namespace {

// "Привет.bmp" and "Архив" as an old Windows archive names them.
const QByteArray HelloCp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2.bmp";
const QByteArray ArchiveCp1251 = "\xC0\xF0\xF5\xE8\xE2";

// A test folder removed whatever names it holds: Qt's own clean-up cannot
// name some of them.
struct Folder : QTemporaryDir
{
    ~Folder() { QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), path()}); }

    auto entries() const { return std::distance(std::filesystem::directory_iterator(path().toStdString()), {}); }
};

QByteArray onDisk(const QTemporaryDir &dir, const QByteArray &name)
{
    return QFile::encodeName(dir.path()) + '/' + name;
}

void writeBytes(const QByteArray &path, const QByteArray &contents)
{
    std::ofstream file(path.constData(), std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(file.write(contents.constData(), contents.size())) << path.constData();
}

QByteArray readBytes(const QByteArray &path)
{
    std::ifstream file(path.constData(), std::ios::binary);
    if (!file)
        return "(none)";
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(file), {}));
}

mode_t modeOf(const QByteArray &path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 ? info.st_mode : 0;
}

QStringList rows(QWidget *list)
{
    const QAbstractItemModel *model = static_cast<QAbstractItemView *>(list)->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}

} // namespace

TEST(Names, ANameThatIsNotUtf8IsListedSteppedToShownReadablyAndDeletedExactly)
{
    Folder dir;
    const QByteArray picture = readBytes(QFile::encodeName(writePicture(dir, "a.bmp", 4, 4)));
    writeBytes(onDisk(dir, HelloCp1251), picture);
    writeBytes(onDisk(dir, "Привет.bmp"), picture); // the UTF-8 name it reads as
    ASSERT_EQ(::mkdir(onDisk(dir, ArchiveCp1251).constData(), 0755), 0);
    const QString held = dir.path() + '/' + decodeFileName(HelloCp1251);
    const QString shown = dir.path() + "/Привет.bmp";
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;
    frmFilePicker &p = t.picker();

    EXPECT_EQ(rows(p.fleFile->widget()), (QStringList{"a.bmp", "Привет.bmp", "Привет.bmp"}));
    EXPECT_EQ(p.fleFile->list(2), decodeFileName(HelloCp1251));
    EXPECT_EQ(rows(p.dirDirectory->widget()).last(), "Архив");
    for (int i = 0; i < 3; ++i)
        t.after(&frmLumarin::cbNext_Click);
    EXPECT_EQ(w.strPicturePath, held);
    EXPECT_EQ(w.form->caption(), "Lumarin - " + shown);

    emit w.cbDel->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1) << "loaded without an error";
    EXPECT_EQ(t.dialogs.shown[0].text, "Уверены что хотите удалить " + shown + "?");
    EXPECT_EQ(modeOf(onDisk(dir, HelloCp1251)), 0u);
    EXPECT_EQ(readBytes(onDisk(dir, "Привет.bmp")), picture);
    // An error about the file names it readably too.
    t.show(held);
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_EQ(t.dialogs.shown[1].text, platform::standardDescription(platform::errc::FileNotFound) + ": " + shown);

    p.dirDirectory->setPath(dir.path() + '/' + decodeFileName(ArchiveCp1251));
    EXPECT_EQ(w.txtDir->text(), dir.path() + "/Архив");
    EXPECT_EQ(rows(p.dirDirectory->widget()).last(), "Архив");

    // Started in such a folder, the picker opens on it.
    writeBytes(onDisk(dir, ArchiveCp1251 + "/b.bmp"), picture);
    const QString before = QDir::currentPath();
    ASSERT_EQ(::chdir(onDisk(dir, ArchiveCp1251).constData()), 0);
    TestWindow there;
    QDir::setCurrent(before);
    EXPECT_EQ(there.window->txtDir->text(), dir.path() + "/Архив");
    EXPECT_EQ(rows(there.picker().fleFile->widget()), QStringList{"b.bmp"});
}

TEST(Names, SaveWritesExactlyTheNameChosenKeepingWhatItReplaces)
{
    Folder dir;
    const QString source = writePicture(dir, "a.bmp", 6, 4);
    writeBytes(onDisk(dir, HelloCp1251), "old");
    ::chmod(onDisk(dir, HelloCp1251).constData(), 0604);
    writeBytes(onDisk(dir, "Привет.bmp"), "other");
    ASSERT_EQ(::symlink("Привет.bmp", onDisk(dir, "link.bmp").constData()), 0);
    const QByteArray fresh = "\xCD\xEE\xE2\xFB\xE9.bmp"; // "Новый.bmp"
    TestWindow t(dir.path());
    t.show(source);
    const QByteArray picture = readBytes(QFile::encodeName(source));
    const mode_t umask = ::umask(0);
    ::umask(umask);

    t.dialogs.saveAnswers = {dir.path() + '/' + decodeFileName(HelloCp1251),
                             dir.path() + '/' + decodeFileName(fresh)};
    t.window->mnuFileSavePic_Click();
    t.window->mnuFileSavePic_Click();
    EXPECT_EQ(readBytes(onDisk(dir, HelloCp1251)), picture);
    EXPECT_EQ(modeOf(onDisk(dir, HelloCp1251)), S_IFREG | 0604);
    EXPECT_EQ(readBytes(onDisk(dir, fresh)), picture);
    EXPECT_EQ(modeOf(onDisk(dir, fresh)), S_IFREG | (0666 & ~umask));
    EXPECT_EQ(readBytes(onDisk(dir, "Привет.bmp")), "other");

    // Through a link: the file it leads to is written, the link stays.
    t.dialogs.saveAnswers = {dir.filePath("link.bmp")};
    t.window->mnuFileSavePic_Click();
    EXPECT_EQ(readBytes(onDisk(dir, "Привет.bmp")), picture);
    EXPECT_TRUE(S_ISLNK(modeOf(onDisk(dir, "link.bmp"))));
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_EQ(dir.entries(), 5) << "nothing else written";
}

TEST(Names, ALinkIsListedAsWhatItLeadsTo)
{
    QTemporaryDir dir;
    writePicture(dir, "a.bmp", 4, 4);
    QDir(dir.path()).mkdir("sub");
    for (const auto &[target, name] : {std::pair{"/dev/null", "null.bmp"}, {"/dev/null", "null"},
                                       {"a.bmp", "link.bmp"}, {"sub", "link"}, {"gone", "gone.bmp"}})
        ASSERT_EQ(::symlink(target, onDisk(dir, name).constData()), 0) << name;
    TestWindow t(dir.path());
    frmFilePicker &p = t.picker();
    EXPECT_EQ(rows(p.fleFile->widget()), (QStringList{"a.bmp", "link.bmp"}));
    const QStringList folders = rows(p.dirDirectory->widget());
    EXPECT_EQ(folders.mid(folders.size() - 3), (QStringList{QDir(dir.path()).dirName(), "link", "sub"}));
}
