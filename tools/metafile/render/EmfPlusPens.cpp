// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusStyles.h"

#include <cmath>

namespace metafile::emfplus {

namespace {

enum PenData : quint32 {
    Transform = 0x1, StartCap = 0x2, EndCap = 0x4, Join = 0x8, MiterLimit = 0x10, LineStyle = 0x20,
    DashedLineCap = 0x40, DashOffset = 0x80, DashedLine = 0x100, Alignment = 0x200, CompoundLine = 0x400,
    CustomStartCap = 0x800, CustomEndCap = 0x1000
};
constexpr qint64 MaxDashes = 64;

Qt::PenCapStyle capOf(qint32 cap)
{
    switch (cap) {
    case 1: return Qt::SquareCap;
    case 2:
    case 0x12: return Qt::RoundCap;
    case 0x11: return Qt::SquareCap;
    default: return Qt::FlatCap; // flat, and the shapes Qt has no cap for
    }
}

Qt::PenJoinStyle joinOf(qint32 join)
{
    switch (join) {
    case 1: return Qt::BevelJoin;
    case 2: return Qt::RoundJoin;
    default: return Qt::MiterJoin;
    }
}

Qt::PenStyle styleOf(qint32 style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::CustomDashLine;
    default: return Qt::SolidLine;
    }
}

// Dashes and gaps in pen widths, taken in pairs as Qt draws them; none
// when damaged.
QList<qreal> dashesAt(ByteReader &r, qsizetype at)
{
    const qint64 count = r.u32(at);
    QList<qreal> dashes;
    if (count == 0 || count > MaxDashes || !r.holds(at + 4, count, 4))
        return dashes;
    for (qint64 i = 0; i < count; ++i) {
        const float length = r.f32(at + 4 + qsizetype(i) * 4);
        if (!std::isfinite(length) || length < 0 || length > 1e4)
            return {};
        // Dashes finer than a tenth of the width cost outlines by the
        // thousand and are not seen.
        dashes << std::max(0.1f, length);
    }
    if (dashes.size() % 2)
        dashes << dashes;
    return dashes;
}

// Skips a field of a 32-bit count of `item` bytes.
qsizetype past(ByteReader &r, qsizetype at, qsizetype item)
{
    const qint64 count = r.u32(at);
    return r.holds(at + 4, count, item) ? at + 4 + qsizetype(count) * item : r.size() + 1;
}

// The optional fields, in their order; returns where the brush begins.
qsizetype readPenOptions(ByteReader &r, quint32 flags, PlusPen &pen)
{
    qsizetype at = 20;
    const auto field = [&](quint32 flag) { return (flags & flag) ? (at += 4) - 4 : -1; };
    if (flags & Transform)
        at += 24; // a pen's own transform is left out: its shape, not its place
    if (const qsizetype p = field(StartCap); p >= 0)
        pen.cap = capOf(r.i32(p));
    field(EndCap);
    if (const qsizetype p = field(Join); p >= 0)
        pen.join = joinOf(r.i32(p));
    if (const qsizetype p = field(MiterLimit); p >= 0)
        pen.miterLimit = std::clamp(double(r.f32(p)), 1.0, 100.0);
    if (const qsizetype p = field(LineStyle); p >= 0)
        pen.style = styleOf(r.i32(p));
    field(DashedLineCap);
    field(DashOffset);
    if (flags & DashedLine) {
        pen.dashes = dashesAt(r, at);
        at = past(r, at, 4);
    }
    field(Alignment);
    if (flags & CompoundLine)
        at = past(r, at, 4);
    if (flags & CustomStartCap)
        at = past(r, at, 1);
    if (flags & CustomEndCap)
        at = past(r, at, 1);
    return at;
}

} // namespace

std::optional<PlusPen> readPen(ByteReader &r)
{
    PlusPen pen;
    pen.unit = r.i32(12);
    pen.width = r.f32(16);
    const qsizetype brushAt = readPenOptions(r, r.u32(8), pen);
    const std::optional<PlusBrush> brush = readBrush(r, brushAt, r.size() - brushAt);
    if (!brush || r.overrun() || !std::isfinite(pen.width) || pen.width < 0)
        return std::nullopt;
    if (pen.style == Qt::CustomDashLine && pen.dashes.isEmpty())
        pen.style = Qt::SolidLine;
    pen.brush = *brush;
    return pen;
}

QPen devicePen(const PlusPen &pen, double width, const QTransform &toDevice)
{
    QPen qpen(deviceBrush(pen.brush, toDevice), std::min(width, 1e7));
    qpen.setCosmetic(width == 0);
    qpen.setCapStyle(pen.cap);
    qpen.setJoinStyle(pen.join);
    qpen.setMiterLimit(pen.miterLimit);
    if (pen.style == Qt::CustomDashLine)
        qpen.setDashPattern(pen.dashes);
    else
        qpen.setStyle(pen.style);
    return qpen;
}

} // namespace metafile::emfplus
