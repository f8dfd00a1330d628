// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/ScreenArea.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

QSize largestScreenArea()
{
    QSize largest;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QSize area = screen->availableSize() * screen->devicePixelRatio();
        largest = largest.expandedTo(area);
    }
    return largest;
}

} // namespace platform
