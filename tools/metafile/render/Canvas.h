// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPen>

#include <optional>

#include "DeviceContext.h"
#include "WorkBudget.h"

class QPainter;

namespace metafile {

// Draws what the records describe with the device context's current pen,
// brush, modes and clip onto a painter whose units are device units, or
// only measures it when there is no painter. Between BEGINPATH and ENDPATH
// the geometry goes into the recorded path instead.
class Canvas
{
public:
    Canvas(QPainter *painter, DeviceContext &dc);

    // A closed shape in logical units: filled with the brush, outlined with
    // the pen.
    void shape(const QPainterPath &logical);
    // An open figure in logical units: the pen only.
    void figure(const QPainterPath &logical);
    // Lines or Béziers on from the current position, which moves to the
    // last point.
    void lineTo(const QList<QPointF> &logical);
    void bezierTo(const QList<QPointF> &logical);
    void moveTo(QPointF logical);
    void closeFigure();

    // In device units, regardless of the recorded path.
    void fill(QPainterPath device, const QBrush &brush);
    void fillWithBrush(const QPainterPath &device);
    void stroke(const QPainterPath &device);
    void stroke(const QPainterPath &device, const QPen &pen);
    void image(const QRectF &device, const QImage &image);
    // The `source` part of a picture, in its pixels, mapped to the device
    // by `toDevice`, which may turn or shear it, and kept `fineness` times
    // finer than the device's pixels. A turned picture is left out where
    // the clip leaves none of it, not cut to the clip.
    void image(const QImage &picture, const QRectF &source, const QTransform &toDevice, double fineness = 1);
    // Adds to the path being recorded.
    void record(const QPainterPath &device);
    // The current pen as drawn: its width in device units, 0 for a hairline.
    QPen pen() const;

    QRectF bounds() const { return bounds_; }
    // True once the work budget is spent: playback should stop.
    bool exhausted() const { return budget_.exhausted(); }
    // For work done before drawing, such as reading a path to draw later.
    WorkBudget &budget() { return budget_; }

private:
    void draw(const QPainterPath &logical, bool closed);
    void append(const QPainterPath &device);
    void paint(const QPainterPath &device, bool filled);
    QColor withRop(QColor colour) const;
    void hatch(const QPainterPath &device, const Brush &brush);
    // Hatch bars of one direction, or none when there would be too many.
    std::optional<QPainterPath> hatchBars(const QRectF &box, QPointF along, double spacing, double width) const;
    // The part of `device` the clip leaves, or the path itself when the
    // clip holds it whole; false when nothing is left.
    bool clipped(QPainterPath &device) const;
    void note(const QRectF &device);

    QPainter *painter_;
    DeviceContext &dc_;
    QRectF bounds_;
    WorkBudget budget_;
    bool figureOpen_ = false;
};

} // namespace metafile
