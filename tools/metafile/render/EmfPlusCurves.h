// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QPainterPath>

// The curves GDI+ draws through points and along ellipses, as Béziers.
namespace metafile::emfplus {

// The cardinal spline through `points`: each segment's tangents point from
// the point before to the point after, `tension` long (0 is straight
// lines). Closed, it runs on from the last point back to the first. Of an
// open one, `count` segments from `first`.
QPainterPath cardinalSpline(const QList<QPointF> &points, double tension, bool closed, qsizetype first = 0,
                            qsizetype count = -1);

// An arc of the ellipse in `box`, from `start` degrees clockwise from the
// x axis, `sweep` degrees on (clockwise when positive); a pie joins its
// ends to the centre.
QPainterPath ellipseArc(const QRectF &box, double start, double sweep, bool pie);

} // namespace metafile::emfplus
