// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QPainterPath>

#include "ByteReader.h"

namespace metafile {

// No single record draws more points or rectangles than these.
inline constexpr qint64 MaxPoints = qint64(1) << 20;
inline constexpr qint64 MaxRegionRects = 20000;
// Playback ends after this many records, whatever follows.
inline constexpr qint64 MaxRecords = qint64(1) << 24;

// Field layouts both metafile kinds share.
QList<QPointF> readPoints(ByteReader &r, qsizetype at, qint64 count, bool shortPoints);
QColor readColorRef(ByteReader &r, qsizetype at);
// RGNDATA: a header and the region's rectangles.
QPainterPath readRegionData(ByteReader &r, qsizetype at, qsizetype size);
// A region's rectangles as one area. One with more than MaxRegionRects is
// its bounding box: cheap to fill and to clip with.
QPainterPath regionArea(const QList<QRectF> &rects, const QRectF &bounds);
QString readUtf16(ByteReader &r, qsizetype at, qint64 units);

} // namespace metafile
