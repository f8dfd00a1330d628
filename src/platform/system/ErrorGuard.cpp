// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/ErrorGuard.h"

namespace platform {

void ErrorGuard::report(const Error &error) noexcept
{
    try {
        const QString text = QStringLiteral("Error %1\n%2").arg(error.number).arg(error.description);
        dialogs_.message(text, ProgramTitle, Buttons::Ok, Icon::Stop);
    } catch (...) {
        // Nothing sensible is left to tell the user with; keep running.
    }
}

} // namespace platform
