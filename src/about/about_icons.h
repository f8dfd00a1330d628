// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIcon>

// The About window's decorative 16-colour icons, drawn for this program.
// Each holds a 32 × 32 image; the eye and the balloons also a 16 × 16 one.
QIcon strokesIcon();
QIcon eyeIcon();
QIcon balloonsIcon();
