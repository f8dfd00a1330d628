// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/ErrorGuard.h"


namespace platform {

void ErrorGuard::report(const Error &error) noexcept
{
    try {
        dialogs_.message(QStringLiteral("Error %1\n%2").arg(error.number).arg(error.description), caption_,
                         Buttons::Ok, Icon::Stop);
    } catch (...) {
        // Nothing sensible is left to tell the user with; keep running.
    }
}

} // namespace platform
