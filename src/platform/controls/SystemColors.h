// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>

namespace platform {

// The classic system colours by number, taken from the running style.
namespace syscolor {
inline constexpr int MenuBackground = 4;
inline constexpr int WindowBackground = 5;
inline constexpr int ButtonFace = 15;
} // namespace syscolor

QColor systemColor(int number);

} // namespace platform
