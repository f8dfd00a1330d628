// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

#include <QList>
#include <QRgb>

// The classic 16-colour palette, plus a last, transparent entry for masks.
QList<QRgb> sixteenColourPalette();

// The program's own 32 × 32, 16-colour icon: a framed landscape with a sun.
QImage windowIconImage();
QIcon windowIcon();
