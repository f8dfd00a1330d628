// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/ErrorGuard.h"

#include "platform/system/Texts.h"

namespace platform {

void ErrorGuard::report(const Error &error) noexcept
{
    try {
        dialogs_.message(texts::guardMessage(error), texts::Title, Buttons::Ok, Icon::Stop);
    } catch (...) {
        // Nothing sensible is left to tell the user with; keep running.
    }
}

} // namespace platform
