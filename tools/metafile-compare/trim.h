// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QRect>

// A pixel counts as paper when every channel is at least this bright; the
// faint fringe that smoothing leaves around a drawing is not part of it.
inline constexpr int PaperLevel = 240;

// The smallest rectangle holding every pixel that is not paper; empty when
// the whole image is paper (a blank picture).
QRect inkBounds(const QImage &image);
