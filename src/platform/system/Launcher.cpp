// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/Launcher.h"

#include <QProcess>

#include "platform/system/Error.h"
#include "platform/system/Paths.h"

namespace platform {

void ProcessLauncher::start(const QString &program)
{
    if (program.isEmpty() || pathKind(program) != PathKind::File)
        raise(errc::FileNotFound, program);
    if (!QProcess::startDetached(program, {}))
        raise(errc::PathFileAccess, program);
}

} // namespace platform
