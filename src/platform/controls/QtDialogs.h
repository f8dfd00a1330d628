// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Dialogs.h"

namespace platform {

// Message boxes as real QMessageBox windows, parented to the active window
// so they stay in front of it and block it while open.
class QtDialogs final : public Dialogs
{
public:
    Answer message(const QString &text, const QString &caption, Buttons buttons,
                   Icon icon) override;
    void showSave(CommonDialog &dialog) override;
};

} // namespace platform
