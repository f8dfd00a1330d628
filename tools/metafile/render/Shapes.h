// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPainterPath>
#include <QTransform>

namespace metafile {

enum class ArcKind { Open, Chord, Pie };

// GDI's arc: the part of the ellipse in `box` from where the ray from its
// centre through `start` meets it to where the ray through `end` does,
// counter-clockwise unless `clockwise`. Logical units.
QPainterPath arcPath(const QRectF &box, QPointF start, QPointF end, bool clockwise, ArcKind kind);

// The point where an arc begins.
QPointF arcStart(const QPainterPath &arc);

// The rectangle between two corners as GDI records them.
QRectF boxOf(double left, double top, double right, double bottom);

QPainterPath rectanglePath(const QRectF &box);
QPainterPath ellipsePath(const QRectF &box);
QPainterPath roundRectPath(const QRectF &box, QSizeF corner);

// The border FRAMERGN paints: the part of `region` (device units) within
// `stroke` (logical width and height) of its edge.
QPainterPath regionFrame(const QPainterPath &region, QSizeF stroke, const QTransform &toDevice);

// An area (a clip, a region) with more elements than this makes every set
// operation and every fill cut by it cost more than it is worth; beyond it
// the area is taken as its bounding box.
QPainterPath simplerArea(const QPainterPath &area);

} // namespace metafile
