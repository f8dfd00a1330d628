// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QPainterPath>

#include <optional>

#include "ByteReader.h"

namespace metafile {

class WorkBudget;

namespace emfplus {

// `count` points from `at`: floats, 16-bit integers when the Compressed
// flag is set, or offsets of one or two bytes each when the Relative flag
// is; `end` is where they stop. Empty when the record cannot hold them.
QList<QPointF> readPoints(ByteReader &r, qsizetype at, qint64 count, quint16 flags, qsizetype *end = nullptr);

// A path object: its points, and a type for each that starts, continues
// or closes a figure with lines or Béziers. Its elements are spent from
// the budget; none for a damaged one.
std::optional<QPainterPath> readPath(ByteReader &r, qsizetype at, WorkBudget &budget);

// A region object: a tree of rectangles and paths joined by set
// operations, in world units.
std::optional<QPainterPath> readRegion(ByteReader &r, WorkBudget &budget);

// A plane larger than any picture: what an infinite region or no clip is.
QPainterPath everything();

} // namespace emfplus
} // namespace metafile
