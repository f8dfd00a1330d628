// SPDX-License-Identifier: GPL-2.0-or-later
#include "Records.h"

namespace metafile {

QList<QPointF> readPoints(ByteReader &r, qsizetype at, qint64 count, bool shortPoints)
{
    const qsizetype size = shortPoints ? 4 : 8;
    QList<QPointF> points;
    if (count <= 0 || count > MaxPoints || !r.holds(at, count, size))
        return points;
    points.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        const qsizetype p = at + qsizetype(i) * size;
        points << (shortPoints ? QPointF(r.i16(p), r.i16(p + 2)) : QPointF(r.i32(p), r.i32(p + 4)));
    }
    return points;
}

QColor readColorRef(ByteReader &r, qsizetype at)
{
    return QColor(r.at<quint8>(at), r.at<quint8>(at + 1), r.at<quint8>(at + 2));
}

QPainterPath readRegionData(ByteReader &r, qsizetype at, qsizetype size)
{
    const qint64 count = r.u32(at + 8);
    const qsizetype rects = at + 32;
    if (size < 32)
        return {};
    const QRectF bounds = QRectF(QPointF(r.i32(at + 16), r.i32(at + 20)), QPointF(r.i32(at + 24), r.i32(at + 28)));
    if (count > MaxRegionRects)
        return regionArea({}, bounds.normalized());
    if (!r.holds(rects, count, 16) || rects + count * 16 > at + size)
        return {};
    QList<QRectF> area;
    area.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        const qsizetype p = rects + qsizetype(i) * 16;
        area << QRectF(QPointF(r.i32(p), r.i32(p + 4)), QPointF(r.i32(p + 8), r.i32(p + 12))).normalized();
    }
    return regionArea(area, bounds);
}

QPainterPath regionArea(const QList<QRectF> &rects, const QRectF &bounds)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (rects.size() > MaxRegionRects || rects.isEmpty()) {
        path.addRect(bounds.normalized());
        return path;
    }
    for (const QRectF &rect : rects)
        path.addRect(rect);
    return path;
}

QString readUtf16(ByteReader &r, qsizetype at, qint64 units)
{
    if (units <= 0 || !r.holds(at, units, 2))
        return {};
    QString text(units, Qt::Uninitialized);
    for (qint64 i = 0; i < units; ++i)
        text[i] = QChar(r.u16(at + qsizetype(i) * 2));
    return text;
}

} // namespace metafile
