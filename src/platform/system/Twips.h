// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>
#include <QSizeF>

namespace platform {

// Twips are 1/1440 inch; the screen's logical DPI decides how many make a
// pixel (15 at 96 DPI).
double twipsPerPixel();

int toPixels(float twips);
float toTwips(int pixels);
QSizeF toTwips(QSize pixels);

} // namespace platform
