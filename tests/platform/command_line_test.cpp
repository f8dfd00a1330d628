// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/system/CommandLine.h"

using platform::CommandLine;

TEST(CommandLine, TakesOnePathThatExistsAndAnswersHelpAndVersion)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    QFile(folder + "/-dash.jpg").open(QIODevice::WriteOnly);
    const struct
    {
        QStringList arguments;
        CommandLine::Action action;
        QString path;
        bool problem;
    } cases[] = {
        {{}, CommandLine::Action::Run, {}, false},
        {{folder}, CommandLine::Action::Run, folder, false},
        {{folder + "/./-dash.jpg"}, CommandLine::Action::Run, folder + "/-dash.jpg", false},
        {{"--", folder + "/-dash.jpg"}, CommandLine::Action::Run, folder + "/-dash.jpg", false},
        {{folder + "/missing.jpg"}, CommandLine::Action::Run, {}, true},
        {{folder, folder}, CommandLine::Action::Run, {}, true},
        {{"--fullscreen"}, CommandLine::Action::Run, {}, true},
        {{"--help"}, CommandLine::Action::Help, {}, false},
        {{"--", "--help"}, CommandLine::Action::Run, {}, true}, // a name, and no such file
        {{folder, "--version"}, CommandLine::Action::Version, {}, false},
    };
    for (const auto &c : cases) {
        const CommandLine line = platform::parseCommandLine(c.arguments);
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << name;
        EXPECT_EQ(line.path, c.path) << name;
        EXPECT_EQ(line.problem.isEmpty(), !c.problem) << name;
    }
}
