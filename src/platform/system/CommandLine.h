// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

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

// Reads the arguments after the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

// The texts printed for --help and --version.
QString helpText();
QString versionText();

} // namespace platform
