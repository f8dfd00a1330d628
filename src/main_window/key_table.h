// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The main window's keyboard commands.
enum class KeyCommand { None, Exit, Open, Save, FitToWindow, Next, Previous, Remove, Delete };

// The command of the first row of the key table that matches a virtual-key
// code and shift state (1 Shift, 2 Ctrl, 4 Alt); rows either want exactly
// their shift state or take any.
KeyCommand commandForKey(int keyCode, int shift);
