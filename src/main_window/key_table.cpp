// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/key_table.h"

#include <optional>

#include "platform/controls/VirtualKeys.h"

namespace {

struct Row
{
    int keyCode;
    std::optional<int> exactShift; // none: any shift state
    KeyCommand command;
};

using namespace platform;

// In this order: the first matching row wins, so Ctrl+Del removes and every
// other Del deletes.
constexpr Row Rows[] = {
    {'Q', shift::Alt, KeyCommand::Exit},
    {'O', shift::Ctrl, KeyCommand::Open},
    {'S', shift::Ctrl, KeyCommand::Save},
    {'W', shift::Ctrl, KeyCommand::FitToWindow},
    {'N', std::nullopt, KeyCommand::Next},
    {'P', std::nullopt, KeyCommand::Previous},
    {vk::Delete, shift::Ctrl, KeyCommand::Remove},
    {vk::Delete, std::nullopt, KeyCommand::Delete},
};

} // namespace

KeyCommand commandForKey(int keyCode, int shift)
{
    for (const Row &row : Rows) {
        if (row.keyCode == keyCode && (!row.exactShift || *row.exactShift == shift))
            return row.command;
    }
    return KeyCommand::None;
}
