// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>

namespace platform {

// The largest area a window can take on any of the screens, in device
// pixels: the most a picture stretched into a window can ever need.
QSize largestScreenArea();

} // namespace platform
