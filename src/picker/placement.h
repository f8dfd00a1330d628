// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the picker's frame goes, given the screen's free area, the main
// window's frame and its picture area (all in screen coordinates) and the
// picker's frame size: beside the main window where the screen has room
// (right, left, below, above), else wherever on the screen it covers the
// least of the picture area (a laptop at scale 2 is 960 × 540 pixels).
QPoint pickerPlace(const QRect &screen, const QRect &owner, const QRect &pictureArea, QSize picker);
