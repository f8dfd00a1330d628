// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/KeyRepeat.h"

namespace platform {

bool isStaleRepeat(bool autoRepeat, quint32 eventTime, quint32 lastCommandEnd)
{
    // The difference as a signed count stays right across the wrap-around.
    return autoRepeat && qint32(eventTime - lastCommandEnd) < 0;
}

bool isAutoRepeat(bool markedRepeat, int key, quint64 eventTime, int releasedKey, quint64 releaseTime)
{
    return markedRepeat || (key == releasedKey && eventTime == releaseTime);
}

} // namespace platform
