// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include "platform/controls/KeyboardLayouts.h"

class QKeyEvent;

namespace platform {

// Virtual-key codes of the keys the program uses (letters are their upper
// case ASCII codes).
namespace vk {
inline constexpr int Delete = 0x2E;
} // namespace vk

// Shift state bits as key handlers receive them.
namespace shift {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace shift

// The virtual-key code of the key pressed, following the active Latin
// layout, and under a layout of another script the keymap's Latin one
// (under "us,ru" with Russian active the N key types "т" and still is N).
// 0 for keys without one. `keymap` gives the X server's keymap when the
// key's other groups must be looked at.
int virtualKeyCode(const QKeyEvent &event, const std::function<KeymapPtr()> &keymap);

// The pair's shift-state bits for the event's modifiers.
int shiftState(const QKeyEvent &event);

// The virtual-key code for an X11 keycode of a US-layout keyboard (the
// evdev codes plus 8), 0 for keys not in the table.
int virtualKeyForX11Keycode(unsigned keycode);

} // namespace platform
