// SPDX-License-Identifier: GPL-2.0-or-later
// The EMF+ player's records that fill and outline shapes.
#include "EmfPlusPlayer.h"

#include "ByteReader.h"
#include "EmfPlusCurves.h"
#include "EmfPlusPaths.h"
#include "EmfPlusRecords.h"
#include "Records.h"

namespace metafile {

using namespace emfplus;

namespace {

// `count` rectangles from `at`, as one path; empty when the record cannot
// hold them.
QPainterPath rectangles(ByteReader &r, qsizetype at, qint64 count, bool compressed)
{
    QPainterPath path;
    if (count > MaxPoints || !r.holds(at, count, rectSize(compressed)))
        return path;
    for (qint64 i = 0; i < count; ++i)
        path.addRect(readRect(r, at + qsizetype(i) * rectSize(compressed), compressed).normalized());
    return path;
}

QPainterPath polygon(const QList<QPointF> &points, bool closed)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    if (closed && !points.isEmpty())
        path.closeSubpath();
    return path;
}

QPainterPath ellipse(const QRectF &box)
{
    QPainterPath path;
    path.addEllipse(box.normalized());
    return path;
}

QPainterPath beziers(const QList<QPointF> &points)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    return path;
}

} // namespace

bool EmfPlusPlayer::playFill(quint16 type, quint16 flags, ByteReader &r)
{
    const bool compressed = flags & Compressed;
    const std::optional<PlusBrush> brush = brushOf(flags, r.u32(0));
    switch (type) {
    case FillRects: fill(rectangles(r, 8, r.u32(4), compressed), brush); return true;
    case FillPolygon: fill(polygon(emfplus::readPoints(r, 8, r.u32(4), flags), true), brush); return true;
    case FillEllipse: fill(ellipse(readRect(r, 4, compressed)), brush); return true;
    case FillPie: fill(ellipseArc(readRect(r, 12, compressed), r.f32(4), r.f32(8), true), brush); return true;
    case FillPath:
        if (const PlusPath *path = objects_.find<PlusPath>(flags & 0xFF))
            fill(path->path, brush);
        return true;
    case FillRegion:
        if (const PlusRegion *region = objects_.find<PlusRegion>(flags & 0xFF))
            fill(region->area, brush);
        return true;
    case FillClosedCurve: {
        QPainterPath curve = cardinalSpline(emfplus::readPoints(r, 12, r.u32(8), flags), r.f32(4), true);
        curve.setFillRule(flags & Winding ? Qt::WindingFill : Qt::OddEvenFill);
        fill(curve, brush);
        return true;
    }
    default: return false;
    }
}

bool EmfPlusPlayer::playDraw(quint16 type, quint16 flags, ByteReader &r)
{
    const bool compressed = flags & Compressed;
    const quint32 pen = flags & 0xFF;
    switch (type) {
    case DrawRects: stroke(rectangles(r, 4, r.u32(0), compressed), pen); return true;
    case DrawLines: stroke(polygon(emfplus::readPoints(r, 4, r.u32(0), flags), flags & Closed), pen); return true;
    case DrawEllipse: stroke(ellipse(readRect(r, 0, compressed)), pen); return true;
    case DrawPie: stroke(ellipseArc(readRect(r, 8, compressed), r.f32(0), r.f32(4), true), pen); return true;
    case DrawArc: stroke(ellipseArc(readRect(r, 8, compressed), r.f32(0), r.f32(4), false), pen); return true;
    case DrawBeziers: stroke(beziers(emfplus::readPoints(r, 4, r.u32(0), flags)), pen); return true;
    case DrawClosedCurve:
        stroke(cardinalSpline(emfplus::readPoints(r, 8, r.u32(4), flags), r.f32(0), true), pen);
        return true;
    case DrawCurve: drawCurve(flags, r); return true;
    case DrawPath:
        // The path is the record's object; the pen comes in its data.
        if (const PlusPath *path = objects_.find<PlusPath>(flags & 0xFF))
            stroke(path->path, r.u32(0));
        return true;
    default: return false;
    }
}

void EmfPlusPlayer::drawCurve(quint16 flags, ByteReader &r)
{
    // Its points are never relative.
    const QList<QPointF> points = emfplus::readPoints(r, 16, r.u32(12), quint16(flags & Compressed));
    stroke(cardinalSpline(points, r.f32(0), false, r.u32(4), r.u32(8)), flags & 0xFF);
}

} // namespace metafile
