// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// Starts another program by its full path, without waiting for it.
class Launcher
{
public:
    virtual ~Launcher() = default;
    // Throws when the program cannot be started.
    virtual void start(const QString &program) = 0;
};

// Starts programs as detached processes.
class ProcessLauncher final : public Launcher
{
public:
    void start(const QString &program) override;
};

} // namespace platform
