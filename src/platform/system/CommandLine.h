// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

// What the program was asked to do on its command line: nothing more than
// open a picture or a folder, so that a file manager's "Open With" works.
struct CommandLine
{
    enum class Action { Run, Help, Version };

    Action action = Action::Run;
    // The picture or folder to open, absolute; empty for the usual start.
    QString path;
    // Why an argument was not taken, one line for the user; the program
    // then starts as without arguments.
    QString problem;
};

// The command line as the system hands it over, split between its two
// readers. Qt takes its own options (-reverse, -style, -platform, ...)
// wherever they stand, so it is handed only what comes before "--": after
// it every argument is the program's, a name that starts with a dash too.
class Arguments
{
public:
    Arguments(int argc, char **argv);

    // What QApplication is handed; it takes its own options out of it.
    int &qtCount() { return qtCount_; }
    char **qtArguments() { return qt_.data(); }
    // The arguments after the program's name, decoded as file names are:
    // what Qt has left, then "--" and everything after it.
    QStringList program() const;

private:
    int qtCount_ = 0;
    std::vector<char *> qt_;
    QStringList afterOptions_;
};

// Reads the arguments after the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

// The texts printed for --help and --version.
QString helpText();
QString versionText();

} // namespace platform
