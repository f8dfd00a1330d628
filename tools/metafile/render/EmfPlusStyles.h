// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QBrush>
#include <QPen>

#include <optional>

#include "ByteReader.h"
#include "EmfPlusObjects.h"

// Brushes and pens: read from their objects, and made into Qt's for the
// device.
namespace metafile::emfplus {

// A brush object from `at`, its size `size`; none for a damaged one.
std::optional<PlusBrush> readBrush(ByteReader &r, qsizetype at, qsizetype size);
std::optional<PlusPen> readPen(ByteReader &r);

// The brush as Qt fills with it in device units, a gradient's line mapped
// by `toDevice`. A hatch comes out as the colour of its lines.
QBrush deviceBrush(const PlusBrush &brush, const QTransform &toDevice);

// The pen for device units, `width` device pixels wide (0 for a hairline).
QPen devicePen(const PlusPen &pen, double width, const QTransform &toDevice);

} // namespace metafile::emfplus
