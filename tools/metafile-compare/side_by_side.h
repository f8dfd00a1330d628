// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>

// Ours | reference | difference map, on grey with a gap between them, each
// at the top left of its own panel, for looking at what went wrong.
QImage sideBySide(const QImage &ours, const QImage &reference, const QImage &map);
