// SPDX-License-Identifier: GPL-2.0-or-later
#include "Canvas.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>

namespace metafile {

namespace {

// Paths with more elements than this are drawn unclipped: intersecting
// them costs more than the clip is worth.
constexpr int MaxClippedElements = 20000;
constexpr double HatchSpacing = 8; // screen pixels, as GDI draws them
// Bars of one hatch direction beyond this are not worth their outlines:
// from that far the hatch is a tint, filled as one.
constexpr int MaxHatchBars = 1000;
// Device coordinates beyond this come from runaway mappings, not pictures.
constexpr double MaxCoordinate = 1e12;

bool drawable(const QRectF &box)
{
    const double values[] = {box.left(), box.top(), box.right(), box.bottom()};
    for (double v : values)
        if (!std::isfinite(v) || std::abs(v) > MaxCoordinate)
            return false;
    return true;
}

Qt::PenStyle dashOf(unsigned style)
{
    switch (style & gdi::PS_STYLE_MASK) {
    case gdi::PS_DASH: return Qt::DashLine;
    case gdi::PS_DOT:
    case gdi::PS_ALTERNATE: return Qt::DotLine;
    case gdi::PS_DASHDOT: return Qt::DashDotLine;
    case gdi::PS_DASHDOTDOT: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

void applyGeometry(QPen &pen, unsigned style)
{
    switch (style & gdi::PS_ENDCAP_MASK) {
    case gdi::PS_ENDCAP_SQUARE: pen.setCapStyle(Qt::SquareCap); break;
    case gdi::PS_ENDCAP_FLAT: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (style & gdi::PS_JOIN_MASK) {
    case gdi::PS_JOIN_BEVEL: pen.setJoinStyle(Qt::BevelJoin); break;
    case gdi::PS_JOIN_MITER: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
}

// The size a picture of `pixels` is kept at, shown `shown` device pixels
// large: about that, never enlarged. A picture shown far larger than any
// screen must not reach the integers' end on the way.
QSize shownPixels(QSizeF shown, QSize pixels)
{
    return QSize(int(std::clamp(std::ceil(shown.width()), 1.0, double(pixels.width()))),
                 int(std::clamp(std::ceil(shown.height()), 1.0, double(pixels.height()))));
}

} // namespace

Canvas::Canvas(QPainter *painter, DeviceContext &dc) : painter_(painter), dc_(dc)
{
}

void Canvas::shape(const QPainterPath &logical)
{
    draw(logical, true);
}

void Canvas::figure(const QPainterPath &logical)
{
    draw(logical, false);
}

void Canvas::draw(const QPainterPath &logical, bool closed)
{
    const QPainterPath device = dc_.toDevice().map(logical);
    if (dc_.recording) {
        record(device);
        figureOpen_ = !closed;
        return;
    }
    paint(device, closed);
}

void Canvas::moveTo(QPointF logical)
{
    dc_.state().position = logical;
    figureOpen_ = false;
}

void Canvas::closeFigure()
{
    if (dc_.recording && figureOpen_)
        dc_.recording->closeSubpath();
    figureOpen_ = false;
}

void Canvas::lineTo(const QList<QPointF> &logical)
{
    if (logical.isEmpty())
        return;
    QPainterPath path(dc_.state().position);
    for (QPointF p : logical)
        path.lineTo(p);
    dc_.state().position = logical.last();
    append(dc_.toDevice().map(path));
}

void Canvas::bezierTo(const QList<QPointF> &logical)
{
    QPainterPath path(dc_.state().position);
    const qsizetype whole = logical.size() / 3 * 3;
    for (qsizetype i = 0; i < whole; i += 3)
        path.cubicTo(logical[i], logical[i + 1], logical[i + 2]);
    if (whole == 0)
        return;
    dc_.state().position = logical[whole - 1];
    append(dc_.toDevice().map(path));
}

void Canvas::append(const QPainterPath &device)
{
    if (!dc_.recording) {
        paint(device, false);
        return;
    }
    if (!drawable(device.controlPointRect()) || !budget_.spendElements(device.elementCount()))
        return;
    // Continues the open figure: its end is where this part starts.
    QPainterPath &path = *dc_.recording;
    if (!figureOpen_)
        path.moveTo(device.elementAt(0));
    for (int i = 1; i < device.elementCount(); ++i) {
        const QPainterPath::Element e = device.elementAt(i);
        if (e.type == QPainterPath::CurveToElement) {
            path.cubicTo(e, device.elementAt(i + 1), device.elementAt(i + 2));
            i += 2;
        } else {
            path.lineTo(e);
        }
    }
    figureOpen_ = true;
}

void Canvas::record(const QPainterPath &device)
{
    if (dc_.recording && drawable(device.controlPointRect()) && budget_.spendElements(device.elementCount()))
        dc_.recording->addPath(device);
}

void Canvas::paint(const QPainterPath &device, bool filled)
{
    if (dc_.state().rop2 == gdi::R2_NOP)
        return;
    if (filled)
        fillWithBrush(device);
    stroke(device);
}

QColor Canvas::withRop(QColor colour) const
{
    switch (dc_.state().rop2) {
    case gdi::R2_BLACK: return Qt::black;
    case gdi::R2_WHITE: return Qt::white;
    default: return colour;
    }
}

void Canvas::fillWithBrush(const QPainterPath &device)
{
    const Brush &brush = dc_.state().brush;
    QPainterPath area = device;
    area.setFillRule(dc_.state().polyFill == gdi::WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    switch (brush.style) {
    case gdi::BS_NULL: return;
    case gdi::BS_HATCHED: hatch(area, brush); return;
    default: fill(area, QBrush(withRop(brush.colour))); return;
    }
}

void Canvas::hatch(const QPainterPath &device, const Brush &brush)
{
    if (dc_.state().bkMode == gdi::OPAQUE)
        fill(device, QBrush(withRop(dc_.state().bkColour)));
    const QRectF box = device.boundingRect();
    const double pixel = std::max(0.01, dc_.pixelsPerMm().width() / ScreenPixelsPerMm);
    const double spacing = HatchSpacing * pixel;
    // 0 horizontal, 1 vertical, 2 down, 3 up, 4 cross, 5 diagonal cross.
    QList<QPointF> directions;
    const int h = brush.hatch;
    if (h == 0 || h == 4)
        directions << QPointF(1, 0);
    if (h == 1 || h == 4)
        directions << QPointF(0, 1);
    if (h == 2 || h == 5)
        directions << QPointF(M_SQRT1_2, M_SQRT1_2);
    if (h == 3 || h == 5)
        directions << QPointF(M_SQRT1_2, -M_SQRT1_2);
    QList<QPainterPath> layers;
    for (QPointF along : directions) {
        std::optional<QPainterPath> bars = hatchBars(box, along, spacing, pixel);
        if (!bars) {
            // Too fine to draw bar by bar: the colour the bars would give
            // the area on average.
            const double coverage = 1 - std::pow(1 - std::min(1.0, pixel / spacing), double(directions.size()));
            QColor tint = withRop(brush.colour);
            tint.setAlphaF(float(coverage));
            return fill(device, QBrush(tint));
        }
        layers << *bars;
    }
    // Each direction on its own: bars that cross each other make the cut
    // cost the square of their number.
    for (const QPainterPath &bars : layers)
        fill(device.intersected(bars), QBrush(withRop(brush.colour)));
}

std::optional<QPainterPath> Canvas::hatchBars(const QRectF &box, QPointF along, double spacing, double width) const
{
    // Thin bars across the box, spaced from its centre.
    const double reach = (box.width() + box.height()) / 2 + spacing;
    if (!(reach / spacing < MaxHatchBars))
        return std::nullopt;
    const QPointF across(-along.y(), along.x());
    QPainterPath bars;
    bars.setFillRule(Qt::WindingFill);
    for (double d = -reach; d <= reach; d += spacing) {
        const QPointF at = box.center() + across * d;
        bars.addPolygon(QPolygonF{at - along * reach, at + along * reach, at + along * reach + across * width,
                                  at - along * reach + across * width});
    }
    return bars;
}

void Canvas::fill(QPainterPath device, const QBrush &brush)
{
    if (device.isEmpty() || !drawable(device.controlPointRect()) || budget_.exhausted() || !clipped(device))
        return;
    if (!budget_.spendElements(device.elementCount()))
        return;
    note(device.controlPointRect());
    if (painter_)
        painter_->fillPath(device, brush);
}

QPen Canvas::pen() const
{
    const Pen &p = dc_.state().pen;
    const double width = p.cosmetic ? 0 : p.width * dc_.deviceScale();
    QPen pen(withRop(p.colour));
    pen.setMiterLimit(10);
    if (!(width > 1.0)) {
        // One device pixel, however the picture is shown.
        pen.setWidthF(0);
        pen.setCosmetic(true);
        pen.setStyle(dashOf(p.style));
        return pen;
    }
    pen.setWidthF(std::min(width, 1e7));
    applyGeometry(pen, p.style);
    if (p.extended)
        pen.setStyle(dashOf(p.style));
    return pen;
}

void Canvas::stroke(const QPainterPath &device)
{
    const Pen &p = dc_.state().pen;
    if ((p.style & gdi::PS_STYLE_MASK) == gdi::PS_NULL || dc_.state().rop2 == gdi::R2_NOP)
        return;
    stroke(device, pen());
}

void Canvas::stroke(const QPainterPath &device, const QPen &qpen)
{
    if (device.isEmpty() || !drawable(device.controlPointRect()) || budget_.exhausted())
        return;
    const auto &clip = dc_.state().clip;
    if (clip && !qpen.isCosmetic() && !clip->contains(device.controlPointRect())
        && device.elementCount() < MaxClippedElements) {
        // A wide line that the clip cuts: its outline, cut.
        QPainterPathStroker stroker(qpen);
        return fill(stroker.createStroke(device), qpen.brush());
    }
    if ((clip && !clip->intersects(device.controlPointRect())) || !budget_.spendElements(device.elementCount()))
        return;
    const double half = qpen.widthF() / 2 + 1;
    note(device.controlPointRect().adjusted(-half, -half, half, half));
    if (painter_)
        painter_->strokePath(device, qpen);
}

bool Canvas::clipped(QPainterPath &device) const
{
    const auto &clip = dc_.state().clip;
    if (!clip)
        return true;
    const QRectF box = device.controlPointRect();
    if (!clip->intersects(box))
        return false;
    if (clip->contains(box) || device.elementCount() > MaxClippedElements)
        return true;
    device = device.intersected(*clip);
    return !device.isEmpty();
}

void Canvas::image(const QRectF &device, const QImage &picture)
{
    if (picture.isNull() || device.isEmpty() || !drawable(device) || budget_.exhausted())
        return;
    QRectF target = device.normalized();
    QRectF source = picture.rect();
    if (const auto &clip = dc_.state().clip) {
        // Cut to the clip's box: blits are clipped to rectangles nearly
        // always.
        const QRectF kept = target.intersected(clip->boundingRect());
        if (kept.isEmpty())
            return;
        const double sx = source.width() / target.width();
        const double sy = source.height() / target.height();
        source = QRectF((kept.x() - target.x()) * sx, (kept.y() - target.y()) * sy, kept.width() * sx,
                        kept.height() * sy);
        target = kept;
    }
    const QRect part = source.toAlignedRect().intersected(picture.rect());
    if (part.isEmpty())
        return;
    // Kept at about the size it is shown, never enlarged: a big bitmap
    // shown small would otherwise be embedded whole.
    const QSize shownSize = shownPixels(target.size(), part.size());
    if (!budget_.spendPixels(qint64(shownSize.width()) * shownSize.height()))
        return;
    note(target);
    if (!painter_)
        return;
    // A negative width or height in the record mirrors the picture.
    const bool mirrorX = device.width() < 0;
    const bool mirrorY = device.height() < 0;
    QImage shown = (mirrorX || mirrorY) ? picture.mirrored(mirrorX, mirrorY) : picture;
    if (part != shown.rect())
        shown = shown.copy(part);
    if (shown.size() != shownSize)
        shown = shown.scaled(shownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter_->drawImage(target, shown);
}

void Canvas::image(const QImage &picture, const QRectF &source, const QTransform &toDevice, double fineness)
{
    const QRect part = source.toAlignedRect().intersected(picture.rect());
    if (toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0 && fineness == 1
        && !part.isEmpty())
        return image(toDevice.mapRect(QRectF(part)), picture.copy(part)); // upright: cut to the clip like a blit
    const QRectF box = toDevice.mapRect(QRectF(part));
    const auto &clip = dc_.state().clip;
    if (part.isEmpty() || !drawable(box) || budget_.exhausted() || (clip && !clip->intersects(box)))
        return;
    // Kept at about the size it is shown, as upright pictures are.
    const double scale = std::sqrt(std::abs(toDevice.determinant())) * fineness;
    const QSize shownSize = shownPixels(QSizeF(part.size()) * scale, part.size());
    if (!budget_.spendPixels(qint64(shownSize.width()) * shownSize.height()))
        return;
    note(box);
    if (!painter_)
        return;
    painter_->save();
    painter_->setTransform(toDevice, true);
    painter_->drawImage(QRectF(part), picture.copy(part).scaled(shownSize, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation));
    painter_->restore();
}

void Canvas::note(const QRectF &device)
{
    if (std::isfinite(device.width()) && std::isfinite(device.height()))
        bounds_ = bounds_.isNull() ? device : bounds_.united(device);
}

} // namespace metafile
