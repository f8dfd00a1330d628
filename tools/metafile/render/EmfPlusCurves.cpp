// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusCurves.h"

#include <cmath>

namespace metafile::emfplus {

QPainterPath cardinalSpline(const QList<QPointF> &points, double tension, bool closed, qsizetype first,
                            qsizetype count)
{
    const qsizetype n = points.size();
    const qsizetype segments = closed ? n : n - 1;
    if (n < 2 || first < 0 || first >= segments || !std::isfinite(tension))
        return {};
    const qsizetype last = count < 0 ? segments : std::min(segments, first + count);
    // Past the ends of an open spline its end points stand for the missing
    // neighbours.
    const auto at = [&](qsizetype i) {
        return closed ? points[(i % n + n) % n] : points[std::clamp<qsizetype>(i, 0, n - 1)];
    };
    const double k = tension / 3;
    QPainterPath path(at(first));
    for (qsizetype i = first; i < last; ++i)
        path.cubicTo(at(i) + k * (at(i + 1) - at(i - 1)), at(i + 1) - k * (at(i + 2) - at(i)), at(i + 1));
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath ellipseArc(const QRectF &box, double start, double sweep, bool pie)
{
    if (!std::isfinite(start) || !std::isfinite(sweep))
        return {};
    // Qt turns counter-clockwise on a y-down device, GDI+ clockwise.
    const double from = -std::fmod(start, 360.0);
    const double turn = -std::clamp(sweep, -360.0, 360.0);
    QPainterPath path;
    if (pie) {
        path.moveTo(box.center());
        path.arcTo(box, from, turn);
        path.closeSubpath();
    } else {
        path.arcMoveTo(box, from);
        path.arcTo(box, from, turn);
    }
    return path;
}

} // namespace metafile::emfplus
