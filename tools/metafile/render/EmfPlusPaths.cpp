// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusPaths.h"

#include "EmfPlusRecords.h"
#include "Records.h"
#include "Shapes.h"
#include "WorkBudget.h"

namespace metafile::emfplus {

namespace {

constexpr quint32 RunLengthTypes = 0x1000;
constexpr int TypeMask = 0x07, StartType = 0, BezierType = 3, CloseFlag = 0x80;
// A region deeper or larger than this is a hostile one: real ones join a
// handful of shapes.
constexpr int MaxRegionDepth = 32;
constexpr int MaxRegionNodes = 1024;

// One coordinate of a relative point: 7 bits in one byte, or 15 bits in two
// (high byte first) when the first byte's top bit is set.
std::optional<int> relativeCoordinate(ByteReader &r, qsizetype &at)
{
    const int first = r.u8(at);
    if (!(first & 0x80)) {
        at += 1;
        return first & 0x40 ? first - 0x80 : first;
    }
    const int value = ((first & 0x7F) << 8) | r.u8(at + 1);
    at += 2;
    if (r.overrun())
        return std::nullopt;
    return value & 0x4000 ? value - 0x8000 : value;
}

QList<QPointF> relativePoints(ByteReader &r, qsizetype at, qint64 count, qsizetype *end)
{
    QList<QPointF> points;
    if (!r.holds(at, count, 2))
        return points;
    points.reserve(count);
    QPointF previous;
    for (qint64 i = 0; i < count; ++i) {
        const std::optional<int> x = relativeCoordinate(r, at);
        const std::optional<int> y = x ? relativeCoordinate(r, at) : std::nullopt;
        if (!y || r.overrun())
            return {};
        previous += QPointF(*x, *y);
        points << previous;
    }
    if (end)
        *end = at;
    return points;
}

// Each point's type, expanded from runs when they come run-length coded.
QList<quint8> pointTypes(ByteReader &r, qsizetype at, qint64 count, bool runs)
{
    QList<quint8> types;
    if (!runs) {
        if (!r.holds(at, count, 1))
            return types;
        types.reserve(count);
        for (qint64 i = 0; i < count; ++i)
            types << r.u8(at + qsizetype(i));
        return types;
    }
    for (qsizetype p = at; types.size() < count && r.holds(p, 1, 2); p += 2) {
        const quint16 run = r.u16(p);
        types.insert(types.size(), std::min<qint64>((run >> 8) & 0x3F, count - types.size()), quint8(run & 0xFF));
    }
    return types.size() == count ? types : QList<quint8>();
}

QPainterPath pathOf(const QList<QPointF> &points, const QList<quint8> &types)
{
    QPainterPath path;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const int type = types[i] & TypeMask;
        if (type == StartType || path.elementCount() == 0) {
            path.moveTo(points[i]);
        } else if (type == BezierType && i + 2 < points.size()) {
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
            i += 2;
        } else {
            path.lineTo(points[i]);
        }
        if (types[i] & CloseFlag)
            path.closeSubpath();
    }
    return path;
}

std::optional<QPainterPath> combined(quint32 operation, const QPainterPath &left, const QPainterPath &right)
{
    const QPainterPath a = simplerArea(left), b = simplerArea(right);
    switch (operation) {
    case 1: return a.intersected(b);
    case 2: return a.united(b);
    case 3: return a.subtracted(b).united(b.subtracted(a));
    case 4: return a.subtracted(b);
    case 5: return b.subtracted(a);
    default: return std::nullopt;
    }
}

// One node of a region and, for a set operation, its two children.
std::optional<QPainterPath> regionNode(ByteReader &r, qsizetype &at, int depth, int &nodes, WorkBudget &budget)
{
    if (depth > MaxRegionDepth || ++nodes > MaxRegionNodes)
        return std::nullopt;
    const quint32 type = r.u32(at);
    at += 4;
    switch (type) {
    case 0x10000000: { // a rectangle
        QPainterPath rect;
        rect.addRect(readRectF(r, at).normalized());
        at += 16;
        return r.overrun() ? std::nullopt : std::optional(rect);
    }
    case 0x10000001: { // a path, after its length
        const qsizetype length = r.u32(at);
        if (!r.holds(at + 4, length, 1))
            return std::nullopt;
        ByteReader pathBytes(r.slice(at + 4, length));
        at += 4 + length;
        return readPath(pathBytes, 0, budget);
    }
    case 0x10000002: return QPainterPath(); // empty
    case 0x10000003: return everything();
    default: break;
    }
    const std::optional<QPainterPath> left = regionNode(r, at, depth + 1, nodes, budget);
    const std::optional<QPainterPath> right = left ? regionNode(r, at, depth + 1, nodes, budget) : std::nullopt;
    return right ? combined(type, *left, *right) : std::nullopt;
}

} // namespace

QList<QPointF> readPoints(ByteReader &r, qsizetype at, qint64 count, quint16 flags, qsizetype *end)
{
    if (count <= 0 || count > MaxPoints)
        return {};
    if (flags & Relative)
        return relativePoints(r, at, count, end);
    const bool compressed = flags & Compressed;
    const qsizetype size = compressed ? 4 : 8;
    if (!r.holds(at, count, size))
        return {};
    QList<QPointF> points;
    points.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        const qsizetype p = at + qsizetype(i) * size;
        points << (compressed ? QPointF(r.i16(p), r.i16(p + 2)) : readPointF(r, p));
    }
    if (end)
        *end = at + qsizetype(count) * size;
    return points;
}

std::optional<QPainterPath> readPath(ByteReader &r, qsizetype at, WorkBudget &budget)
{
    const qint64 count = r.u32(at + 4);
    const quint32 flags = r.u32(at + 8);
    qsizetype typesAt = 0;
    // The path's flags name the point encodings as a record's flags do.
    const QList<QPointF> points = readPoints(r, at + 12, count, quint16(flags), &typesAt);
    if (points.isEmpty() || !budget.spendElements(count))
        return std::nullopt;
    const QList<quint8> types = pointTypes(r, typesAt, count, flags & RunLengthTypes);
    if (types.isEmpty())
        return std::nullopt;
    return pathOf(points, types);
}

std::optional<QPainterPath> readRegion(ByteReader &r, WorkBudget &budget)
{
    qsizetype at = 8; // after the version and the node count
    int nodes = 0;
    std::optional<QPainterPath> area = regionNode(r, at, 0, nodes, budget);
    if (area)
        area->setFillRule(Qt::WindingFill);
    return area;
}

QPainterPath everything()
{
    QPainterPath plane;
    plane.addRect(QRectF(-1e9, -1e9, 2e9, 2e9));
    return plane;
}

} // namespace metafile::emfplus
