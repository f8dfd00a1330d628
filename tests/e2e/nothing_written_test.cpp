// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

#include "Viewer.h"
#include "support/QtPrinting.h"

using e2e::Viewer;

namespace {

// Every file under a folder with its size and modification time (folders
// only by name: deleting a file changes its folder's time).
QMap<QString, QString> snapshot(const QString &folder)
{
    QMap<QString, QString> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        files.insert(path, info.isDir() ? QStringLiteral("folder")
                                        : QStringLiteral("%1 %2").arg(info.size()).arg(
                                              info.lastModified().toMSecsSinceEpoch()));
    }
    return files;
}

} // namespace

TEST(NothingWritten, AWholeSessionChangesOnlyTheDeletedFile)
{
    // A stand-in for the system-information tool, first on PATH, outside
    // the folders watched: it leaves a mark when started.
    QTemporaryDir tools;
    const QString mark = tools.filePath("started");
    const QString stub = tools.filePath("hardinfo");
    std::ofstream(stub.toStdString()) << "#!/bin/sh\ntouch '" << mark.toStdString() << "'\n";
    QFile::setPermissions(stub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QTemporaryDir root;
    QDir folders(root.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", tools.path() + ":" + env.value("PATH"));
    for (const auto &[variable, name] : {std::pair{"HOME", "home"}, {"XDG_CONFIG_HOME", "config"},
                                         {"XDG_CACHE_HOME", "cache"}, {"XDG_DATA_HOME", "data"},
                                         {"XDG_STATE_HOME", "state"}, {"XDG_RUNTIME_DIR", "runtime"}}) {
        folders.mkdir(name);
        env.insert(variable, folders.filePath(name));
    }
    QFile::setPermissions(folders.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    folders.mkdir("pictures");
    const QString pictures = folders.filePath("pictures");
    for (const char *name : {"bmpsuite/g/rgb24.bmp", "pillow/hopper.gif", "pillow/rgb.jpg"})
        QFile::copy(QStringLiteral(LUMARIN_TESTDATA_DIR "/") + name,
                    pictures + "/" + QFileInfo(name).fileName());

    const QMap<QString, QString> before = snapshot(root.path());

    Viewer viewer(pictures, {}, env);
    const QString main = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(main.isEmpty());

    for (int i = 0; i < 3; ++i)
        viewer.key(main, {"57"}); // N: rgb.jpg, rgb24.bmp, hopper.gif in turn
    viewer.key(main, {"ctrl+w"});
    viewer.key(main, {"ctrl+w"});
    // The window manager passes the new size on in its own time; once the
    // window has it, the viewer hears of it before the keys that follow.
    e2e::run("xdotool", {"windowsize", main, "900", "640"});
    EXPECT_TRUE(
        e2e::waitUntil(10000, [&] { return viewer.geometry(main).size() == QSize(900, 640); }));

    // Help → About (Alt, С, О), closed and opened anew; its system button
    // starts the tool.
    QString about = viewer.openAbout(main);
    ASSERT_FALSE(about.isEmpty());
    viewer.key(about, {"Escape"});
    ASSERT_TRUE(viewer.waitForWindowGone(about));
    about = viewer.openAbout(main);
    ASSERT_FALSE(about.isEmpty()) << "shown again after closing";
    viewer.click(about, {280, 251}); // "О Системе..." at 3600, 3600 twips
    EXPECT_TRUE(e2e::waitUntil(5000, [&] { return QFile::exists(mark); }));
    viewer.key(about, {"Escape"}); // Enter would press the system button again
    ASSERT_TRUE(viewer.waitForWindowGone(about));

    viewer.key(main, {"ctrl+s"});
    const QString save = viewer.waitForOtherWindow("(?!Lumarin$|Выберите папку/файл$).+", main);
    ASSERT_FALSE(save.isEmpty());
    viewer.key(save, {"Escape"});
    ASSERT_TRUE(viewer.waitForWindowGone(save));

    const QString shown = viewer.title(main).mid(QStringLiteral("Lumarin - ").size());
    ASSERT_TRUE(QFile::exists(shown)) << shown.toStdString();
    ASSERT_TRUE(viewer.answerDeleteQuestion(main, "Return"));

    ASSERT_TRUE(viewer.exitWithAltQ(main));
    EXPECT_EQ(viewer.exitCode(), 0);

    QMap<QString, QString> expected = before;
    expected.remove(shown);
    EXPECT_EQ(snapshot(root.path()).toStdMap(), expected.toStdMap());
}
