// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusStyles.h"

#include <QLinearGradient>

#include <cmath>

#include "EmfPlusRecords.h"

namespace metafile::emfplus {

namespace {

enum BrushType { SolidBrush, HatchBrush, TextureBrush, PathGradientBrush, LinearGradientBrush };
constexpr quint32 HasTransform = 0x02, HasPresetColours = 0x04;
constexpr qint64 MaxStops = 256;

QColor mixed(const QColor &a, const QColor &b, double share)
{
    const auto mix = [share](float x, float y) { return float(x * share + y * (1 - share)); };
    return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()),
                            mix(a.alphaF(), b.alphaF()));
}

// GDI+'s first six hatches are GDI's own; of the rest, those of lines take
// the direction of their lines, and the patterns of dots, checks and
// percentages are drawn as the tint they give from afar.
PlusBrush hatchBrush(int style, const QColor &fore, const QColor &back)
{
    PlusBrush brush;
    brush.kind = PlusBrush::Hatch;
    brush.colour = fore;
    brush.back = back;
    static constexpr int lines[][2] = {{0x12, 2}, {0x14, 2}, {0x16, 2}, {0x1E, 2}, {0x13, 3}, {0x15, 3}, {0x17, 3},
                                       {0x1F, 3}, {0x18, 1}, {0x1A, 1}, {0x1C, 1}, {0x21, 1}, {0x19, 0}, {0x1B, 0},
                                       {0x1D, 0}, {0x20, 0}, {0x2B, 4}, {0x30, 4}, {0x2C, 5}, {0x33, 5}};
    if (style >= 0 && style <= 5) {
        brush.hatch = style;
        return brush;
    }
    for (const auto &[hatch, direction] : lines) {
        if (style == hatch) {
            brush.hatch = direction;
            return brush;
        }
    }
    static constexpr double percent[] = {5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};
    const bool isPercent = style >= 6 && style <= 0x11;
    brush.kind = PlusBrush::Solid;
    brush.colour = mixed(fore, back, isPercent ? percent[style - 6] / 100 : 0.5);
    return brush;
}

QGradient::Spread spreadOf(int wrap)
{
    switch (wrap) {
    case 0: return QGradient::RepeatSpread;
    case 1:
    case 2:
    case 3: return QGradient::ReflectSpread;
    default: return QGradient::PadSpread;
    }
}

// Positions and colours between the two ends; none when damaged.
QGradientStops presetStops(ByteReader &r, qsizetype at)
{
    const qint64 count = r.u32(at);
    if (count < 2 || count > MaxStops || !r.holds(at + 4, count, 8))
        return {};
    QGradientStops stops;
    for (qint64 i = 0; i < count; ++i) {
        const float position = r.f32(at + 4 + qsizetype(i) * 4);
        if (!(position >= 0 && position <= 1))
            return {};
        stops << QGradientStop(position, readArgb(r, at + 4 + qsizetype(count * 4 + i * 4)));
    }
    return stops;
}

std::optional<PlusBrush> linearBrush(ByteReader &r, qsizetype at)
{
    const quint32 flags = r.u32(at + 8);
    LinearGradient gradient;
    gradient.rect = readRectF(r, at + 16);
    gradient.spread = spreadOf(r.i32(at + 12));
    gradient.stops = {{0, readArgb(r, at + 32)}, {1, readArgb(r, at + 36)}};
    qsizetype optional = at + 48;
    if (flags & HasTransform) {
        gradient.transform = readMatrix(r, optional);
        optional += 24;
    }
    if (flags & HasPresetColours) {
        const QGradientStops preset = presetStops(r, optional);
        if (!preset.isEmpty())
            gradient.stops = preset;
    }
    if (r.overrun() || !gradient.rect.isValid())
        return std::nullopt;
    PlusBrush brush;
    brush.kind = PlusBrush::Linear;
    brush.colour = mixed(gradient.stops.first().second, gradient.stops.last().second, 0.5);
    brush.gradient = gradient;
    return brush;
}

// A path gradient as one colour: halfway between its centre and the
// surrounding colours' average.
PlusBrush pathGradientBrush(ByteReader &r, qsizetype at)
{
    const QColor centre = readArgb(r, at + 16);
    const qint64 count = std::min<qint64>(r.u32(at + 28), MaxStops);
    QColor around = centre;
    for (qint64 i = 0; i < count && r.holds(at + 32, i + 1, 4); ++i)
        around = mixed(around, readArgb(r, at + 32 + qsizetype(i) * 4), double(i + 1) / double(i + 2));
    PlusBrush brush;
    brush.colour = mixed(centre, around, 0.5);
    return brush;
}

} // namespace

std::optional<PlusBrush> readBrush(ByteReader &r, qsizetype at, qsizetype size)
{
    if (size < 12 || !r.holds(at, size, 1))
        return std::nullopt;
    PlusBrush brush;
    switch (r.u32(at + 4)) {
    case SolidBrush: brush.colour = readArgb(r, at + 8); return brush;
    case HatchBrush: return hatchBrush(r.i32(at + 8), readArgb(r, at + 12), readArgb(r, at + 16));
    case LinearGradientBrush: return linearBrush(r, at);
    case PathGradientBrush: return pathGradientBrush(r, at);
    default: return std::nullopt;
    }
}

QBrush deviceBrush(const PlusBrush &brush, const QTransform &toDevice)
{
    if (brush.kind != PlusBrush::Linear || !brush.gradient)
        return QBrush(brush.colour);
    // The colour is constant across the gradient's line: mapped to the
    // device the line keeps its start, and its direction is the one the
    // world's constant-colour lines stand square to.
    const LinearGradient &g = *brush.gradient;
    const QTransform t = g.transform * toDevice;
    const QPointF start = g.rect.topLeft();
    const QPointF along(g.rect.width(), 0);
    bool invertible = false;
    const QTransform inverse = t.inverted(&invertible);
    const double squared = QPointF::dotProduct(along, along);
    if (!invertible || squared == 0)
        return QBrush(brush.colour);
    const QPointF direction(inverse.m11() * along.x() + inverse.m12() * along.y(),
                            inverse.m21() * along.x() + inverse.m22() * along.y());
    const double stretch = squared / QPointF::dotProduct(direction, direction);
    if (!std::isfinite(stretch))
        return QBrush(brush.colour);
    const QPointF from = t.map(start);
    QLinearGradient gradient(from, from + direction * stretch);
    gradient.setStops(g.stops);
    gradient.setSpread(g.spread);
    return QBrush(gradient);
}

} // namespace metafile::emfplus
