// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/Launcher.h"

#include <QFileInfo>
#include <QProcess>

#include "platform/system/Error.h"

namespace platform {

void ProcessLauncher::start(const QString &program)
{
    if (program.isEmpty() || !QFileInfo(program).isFile())
        raise(errc::FileNotFound, program);
    if (!QProcess::startDetached(program, {}))
        raise(errc::PathFileAccess, program);
}

} // namespace platform
