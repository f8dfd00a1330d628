// SPDX-License-Identifier: GPL-2.0-or-later
#include "Shapes.h"

#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

namespace metafile {

namespace {

// The angle Qt's arcTo takes for the point of the ellipse in `box` on the
// ray through `p`: Qt measures angles on the ellipse, counter-clockwise on a
// y-down plane.
double ellipseAngle(const QRectF &box, QPointF p)
{
    const QPointF d = p - box.center();
    return std::atan2(-d.y() / box.height(), d.x() / box.width()) * 180 / M_PI;
}

} // namespace

QPainterPath arcPath(const QRectF &given, QPointF start, QPointF end, bool clockwise, ArcKind kind)
{
    const QRectF box = given.normalized();
    QPainterPath path;
    if (box.width() <= 0 || box.height() <= 0)
        return path;
    const double from = ellipseAngle(box, start);
    double sweep = ellipseAngle(box, end) - from;
    if (clockwise) {
        while (sweep >= 0)
            sweep -= 360;
    } else {
        while (sweep <= 0)
            sweep += 360;
    }
    if (kind == ArcKind::Pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    if (kind != ArcKind::Open)
        path.closeSubpath();
    return path;
}

QPointF arcStart(const QPainterPath &arc)
{
    return arc.elementCount() > 0 ? QPointF(arc.elementAt(0)) : QPointF();
}

QRectF boxOf(double left, double top, double right, double bottom)
{
    return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
}

QPainterPath rectanglePath(const QRectF &box)
{
    QPainterPath path;
    path.addRect(box);
    return path;
}

QPainterPath ellipsePath(const QRectF &box)
{
    QPainterPath path;
    path.addEllipse(box);
    return path;
}

QPainterPath roundRectPath(const QRectF &box, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(box, std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    return path;
}

QPainterPath regionFrame(const QPainterPath &region, QSizeF stroke, const QTransform &toDevice)
{
    const double width = std::abs(stroke.width()) * std::hypot(toDevice.m11(), toDevice.m12());
    const double height = std::abs(stroke.height()) * std::hypot(toDevice.m21(), toDevice.m22());
    if (!(width > 0) || !(height > 0))
        return {};
    // A stroke twice as wide as the border, centred on the edge, leaves the
    // border inside; a frame taller than wide is stroked with the x axis
    // stretched to match and then shrunk back.
    const QTransform square = QTransform::fromScale(height / width, 1);
    QPainterPathStroker stroker;
    stroker.setWidth(2 * height);
    stroker.setJoinStyle(Qt::MiterJoin);
    const QPainterPath edge = square.inverted().map(stroker.createStroke(square.map(region)));
    return edge.intersected(region);
}

QPainterPath simplerArea(const QPainterPath &area)
{
    constexpr int MaxElements = 10000;
    if (area.elementCount() <= MaxElements)
        return area;
    QPainterPath box;
    box.addRect(area.boundingRect());
    return box;
}

} // namespace metafile
