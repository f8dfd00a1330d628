// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "Viewer.h"
#include "support/QtPrinting.h"

using e2e::Viewer;

TEST(About, OpensFromTheHelpMenuAndStartsTheSystemInformationTool)
{
    // A stand-in for the system-information tool, first on PATH: it leaves
    // a mark when started.
    QTemporaryDir tools;
    const QString mark = tools.filePath("started");
    const QString stub = tools.filePath("hardinfo");
    {
        QFile script(stub);
        script.open(QIODevice::WriteOnly);
        script.write(("#!/bin/sh\ntouch '" + mark + "'\n").toUtf8());
    }
    QFile::setPermissions(stub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", tools.path() + ":" + env.value("PATH"));

    QTemporaryDir pictures;
    Viewer viewer(pictures.path(), env);
    const QString main = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(main.isEmpty());

    QString about = viewer.openAbout(main);
    ASSERT_FALSE(about.isEmpty());
    viewer.key(about, {"Escape"});
    EXPECT_TRUE(viewer.waitForWindowGone(about));

    about = viewer.openAbout(main);
    ASSERT_FALSE(about.isEmpty()) << "shown again after closing";
    // "О Системе..." stands at 3600, 3600 twips: 240, 240 pixels.
    viewer.click(about, {280, 251});
    for (int i = 0; i < 50 && !QFile::exists(mark); ++i)
        QThread::msleep(100);
    EXPECT_TRUE(QFile::exists(mark));
    EXPECT_TRUE(viewer.waitForWindow("System Information.*", 1000).isEmpty());
    // The focus is on the system button now, which Enter would press again.
    viewer.key(about, {"Escape"});
    EXPECT_TRUE(viewer.waitForWindowGone(about));

    ASSERT_TRUE(viewer.exitWithAltQ(main));
    EXPECT_EQ(viewer.exitCode(), 0);
}
