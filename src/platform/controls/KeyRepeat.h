// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

namespace platform {

// Whether a key press is a leftover of a key held while the program was
// busy: an auto-repeat made (by the event's own time) before the last
// command ended. Acting on such presses would go on stepping long after
// the key was released. Event times are the window system's milliseconds,
// a 32-bit count that wraps around every 49 days.
bool isStaleRepeat(bool autoRepeat, quint32 eventTime, quint32 lastCommandEnd);

// Whether a press is the window system's auto-repeat. X sends each repeat
// as a release and a press of the same instant; Qt marks the pair only when
// both wait in its queue together, which a program that is never busy
// rarely lets happen. No person releases and presses a key within one
// millisecond.
bool isAutoRepeat(bool markedRepeat, int key, quint64 eventTime, int releasedKey, quint64 releaseTime);

} // namespace platform
