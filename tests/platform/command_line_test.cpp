// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "platform/system/CommandLine.h"
#include "platform/system/FileNames.h"

using platform::CommandLine;

TEST(CommandLine, TakesOnePathAndAnswersHelpAndVersion)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    QFile(folder + "/-dash.jpg").open(QIODevice::WriteOnly);
    using enum CommandLine::Action;
    const struct { QStringList arguments; CommandLine::Action action; QString path; bool problem; } cases[] = {
        {{}, Run, {}, false}, {{folder}, Run, folder, false}, {{folder + "/./-dash.jpg"}, Run, folder + "/-dash.jpg", false},
        {{"--", folder + "/-dash.jpg"}, Run, folder + "/-dash.jpg", false},
        {{folder + "/missing.jpg"}, Run, folder + "/missing.jpg", false}, // looked at once the program runs
        {{folder, folder}, Run, {}, true}, {{"--fullscreen"}, Run, {}, true},
        {{"--help"}, Help, {}, false}, {{folder, "--version"}, Version, {}, false},
        {{"--", "--help"}, Run, QDir::currentPath() + "/--help", false}, // a name
    };
    for (const auto &c : cases) {
        const CommandLine line = platform::parseCommandLine(c.arguments);
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << name;
        EXPECT_EQ(line.path, c.path) << name;
        EXPECT_EQ(line.problem.isEmpty(), !c.problem) << name;
    }
}

TEST(CommandLine, QtSeesOnlyWhatComesBeforeTheEndOfOptionsAndNamesComeAsTheyAreOnDisk)
{
    QTemporaryDir dir;
    const QByteArray cp1251 = QFile::encodeName(dir.path()) + "/\xCF\xF0\xE8\xE2\xE5\xF2.bmp";
    ::close(::open(cp1251.constData(), O_WRONLY | O_CREAT, 0644));
    const QString name = platform::decodeFileName(cp1251);
    const struct { QByteArrayList argv; QStringList qt, program; } cases[] = {
        {{"lumarin", "-reverse", "--", "-reverse"}, {"lumarin", "-reverse"}, {"-reverse", "--", "-reverse"}},
        {{"lumarin", "--", "-style", "--"}, {"lumarin"}, {"--", "-style", "--"}},
        {{"lumarin", cp1251, "--", cp1251}, {"lumarin", name}, {name, "--", name}},
    };
    for (const auto &c : cases) {
        std::vector<char *> argv;
        for (const QByteArray &argument : c.argv)
            argv.push_back(const_cast<char *>(argument.constData()));
        platform::Arguments arguments(int(argv.size()), argv.data());
        QStringList qt;
        for (int i = 0; i < arguments.qtCount(); ++i)
            qt << platform::decodeFileName(arguments.qtArguments()[i]);
        EXPECT_EQ(qt, c.qt);
        EXPECT_EQ(arguments.qtArguments()[arguments.qtCount()], nullptr);
        EXPECT_EQ(arguments.program(), c.program);
    }
    EXPECT_EQ(platform::parseCommandLine({name}).path, name);
    ::unlink(cp1251.constData()); // a name Qt's own clean-up cannot remove

    // What Qt takes out is gone for the program too.
    std::vector<char *> argv{const_cast<char *>("lumarin"), const_cast<char *>("-reverse"),
                             const_cast<char *>("a"), const_cast<char *>("--"), const_cast<char *>("b")};
    platform::Arguments arguments(int(argv.size()), argv.data());
    arguments.qtArguments()[1] = arguments.qtArguments()[2];
    arguments.qtCount() = 2;
    EXPECT_EQ(arguments.program(), (QStringList{"a", "--", "b"}));
}
