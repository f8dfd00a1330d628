// SPDX-License-Identifier: GPL-2.0-or-later
#include "TextFrame.h"

#include <cmath>

#include "DeviceContext.h"

namespace metafile {

namespace {

// Device pixels below and above which a font's em is not drawn.
constexpr double SmallestEm = 0.01;
constexpr double LargestEm = 1e6;

double degreesOf(QPointF v)
{
    return std::atan2(v.y(), v.x()) * 180 / M_PI;
}

QTransform linearPart(const QTransform &t)
{
    return QTransform(t.m11(), t.m12(), t.m21(), t.m22(), 0, 0);
}

// The em in logical units across the baseline: a negative height is the em
// itself, a positive one the cell (ascent + descent). Zero asks for the
// default size, 12 screen pixels on the device whatever the mapping.
double emLogical(const Font &font, double emPerCell, double devicePerLogical, const DeviceContext &dc)
{
    if (font.height < 0)
        return -font.height;
    if (font.height > 0)
        return font.height * emPerCell;
    return 12 * dc.pixelsPerMm().height() / ScreenPixelsPerMm / devicePerLogical;
}

// The compatible graphics mode, which nearly every metafile is made in,
// keeps text upright and unmirrored whatever the mapping: the baseline runs
// along the mapping's x axis, turned to point rightwards, then the
// escapement turns it counter-clockwise as seen. A mapping that mirrors
// (y up, as charts and the metric modes have it) mirrors the angle: the
// 2700 of a chart's vertical axis title reads upwards there.
std::optional<TextFrame> compatibleFrame(const DeviceContext &dc, const Font &font, QPointF reference,
                                         double emPerCell)
{
    const QTransform t = dc.toDevice();
    const QPointF xAxis = linearPart(t).map(QPointF(1, 0));
    const QPointF yAxis = linearPart(t).map(QPointF(0, 1));
    const double across = std::hypot(yAxis.x(), yAxis.y());
    const double em = emLogical(font, emPerCell, across, dc) * across;
    bool invertible = false;
    const QTransform back = linearPart(t).inverted(&invertible);
    if (!(em > SmallestEm) || em > LargestEm || !invertible)
        return std::nullopt;
    double axis = degreesOf(xAxis);
    if (axis > 90)
        axis -= 180;
    else if (axis <= -90)
        axis += 180;
    const double escapement = font.escapement / 10 * (t.determinant() < 0 ? -1 : 1);
    const double angle = axis - escapement; // clockwise on the device
    const double k = em / RefPixels;
    const QPointF at = t.map(reference);
    TextFrame frame;
    frame.toDevice =
        QTransform::fromScale(k, k) * QTransform().rotate(angle) * QTransform::fromTranslate(at.x(), at.y());
    // Advances are logical lengths along the baseline, as long on the
    // device as the mapping makes that direction.
    const double radians = angle * M_PI / 180;
    const QPointF logical = back.map(QPointF(std::cos(radians), std::sin(radians)));
    frame.unitsPerLogical = 1 / std::hypot(logical.x(), logical.y()) / k;
    return frame;
}

// The advanced graphics mode lays text out in logical space, its angles
// counter-clockwise there as on a y-down device, and maps it like any
// shape: a mirroring mapping mirrors the glyphs. The escapement turns the
// baseline, the orientation each glyph.
std::optional<TextFrame> advancedFrame(const DeviceContext &dc, const Font &font, QPointF reference,
                                       double emPerCell)
{
    const double scale = dc.deviceScale();
    const double em = emLogical(font, emPerCell, scale, dc);
    if (!(em * scale > SmallestEm) || em * scale > LargestEm)
        return std::nullopt;
    const double k = em / RefPixels;
    TextFrame frame;
    frame.toDevice = QTransform::fromScale(k, k) * QTransform().rotate(-font.escapement / 10)
        * QTransform::fromTranslate(reference.x(), reference.y()) * dc.toDevice();
    frame.unitsPerLogical = 1 / k;
    frame.tilt = (font.escapement - font.orientation) / 10;
    return frame;
}

} // namespace

std::optional<TextFrame> textFrame(const DeviceContext &dc, const Font &font, QPointF reference, bool advanced,
                                   double emPerCell)
{
    return advanced ? advancedFrame(dc, font, reference, emPerCell) : compatibleFrame(dc, font, reference, emPerCell);
}

} // namespace metafile
