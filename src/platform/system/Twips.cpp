// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace platform {

double twipsPerPixel()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

float toTwips(int pixels)
{
    return static_cast<float>(pixels * twipsPerPixel());
}

QSizeF toTwips(QSize pixels)
{
    return {toTwips(pixels.width()), toTwips(pixels.height())};
}

} // namespace platform
