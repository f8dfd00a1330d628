// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceContext.h"

#include <cmath>

#include "Shapes.h"

namespace metafile {

namespace {

bool finite(const QTransform &t)
{
    const double values[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (double v : values)
        if (!std::isfinite(v) || std::abs(v) > 1e12)
            return false;
    return std::abs(t.determinant()) > 1e-30;
}

// Window and viewport extents outside this range only come from runaway
// scaling records; mapping through them gives infinities and NaNs.
bool saneExtent(QSizeF ext)
{
    const auto sane = [](double v) { return std::abs(v) >= 1e-6 && std::abs(v) <= 1e9; };
    return sane(ext.width()) && sane(ext.height());
}

// Logical units per millimetre of the metric modes; y grows upwards.
double unitsPerMm(int mode)
{
    switch (mode) {
    case gdi::MM_LOMETRIC: return 10;
    case gdi::MM_HIMETRIC: return 100;
    case gdi::MM_LOENGLISH: return 100 / 25.4;
    case gdi::MM_HIENGLISH: return 1000 / 25.4;
    case gdi::MM_TWIPS: return 1440 / 25.4;
    default: return 0;
    }
}

} // namespace

DeviceContext::DeviceContext(QSizeF pixelsPerMm) : pixelsPerMm_(pixelsPerMm)
{
}

bool DeviceContext::extentsApply() const
{
    return state_.mapMode == gdi::MM_ISOTROPIC || state_.mapMode == gdi::MM_ANISOTROPIC;
}

QTransform DeviceContext::pageTransform() const
{
    const DcState &s = state_;
    double sx = 1;
    double sy = 1;
    if (const double perMm = unitsPerMm(s.mapMode); perMm > 0) {
        sx = pixelsPerMm_.width() / perMm;
        sy = -pixelsPerMm_.height() / perMm;
    } else if (extentsApply()) {
        sx = s.viewportExt.width() / s.windowExt.width();
        sy = s.viewportExt.height() / s.windowExt.height();
        if (s.mapMode == gdi::MM_ISOTROPIC) {
            // As GDI does: the smaller scale on both axes, signs kept.
            const double both = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(both, sx);
            sy = std::copysign(both, sy);
        }
    }
    return QTransform(sx, 0, 0, sy, s.viewportOrg.x() - s.windowOrg.x() * sx,
                      s.viewportOrg.y() - s.windowOrg.y() * sy);
}

QTransform DeviceContext::toDevice() const
{
    return state_.world * pageTransform();
}

double DeviceContext::deviceScale() const
{
    return std::sqrt(std::abs(toDevice().determinant()));
}

void DeviceContext::setMapMode(int mode)
{
    if (mode < gdi::MM_TEXT || mode > gdi::MM_ANISOTROPIC)
        return;
    state_.mapMode = mode;
    if (mode == gdi::MM_ISOTROPIC && state_.windowExt == QSizeF(1, 1)) {
        // A fresh isotropic mapping starts from the metric one GDI uses.
        state_.windowExt = QSizeF(10, 10);
        state_.viewportExt = QSizeF(pixelsPerMm_.width(), -pixelsPerMm_.height());
    }
}

void DeviceContext::setWindowExt(QSizeF ext)
{
    if (saneExtent(ext))
        state_.windowExt = ext;
}

void DeviceContext::setViewportExt(QSizeF ext)
{
    if (saneExtent(ext))
        state_.viewportExt = ext;
}

void DeviceContext::setWorld(const QTransform &world)
{
    if (finite(world))
        state_.world = world;
}

void DeviceContext::modifyWorld(const QTransform &by, int mode)
{
    switch (mode) {
    case 1: setWorld(QTransform()); break;          // MWT_IDENTITY
    case 2: setWorld(by * state_.world); break;     // MWT_LEFTMULTIPLY
    case 3: setWorld(state_.world * by); break;     // MWT_RIGHTMULTIPLY
    case 4: setWorld(by); break;                    // MWT_SET
    default: break;
    }
}

void DeviceContext::combineClip(const QPainterPath &given, int mode)
{
    const QPainterPath device = simplerArea(given);
    // Without a clip everything is visible: a plane larger than any picture.
    QPainterPath everything;
    everything.addRect(QRectF(-1e9, -1e9, 2e9, 2e9));
    const QPainterPath current = state_.clip.value_or(everything);
    switch (mode) {
    case gdi::RGN_AND: state_.clip = current.intersected(device); break;
    case gdi::RGN_OR: state_.clip = state_.clip ? current.united(device) : everything; break;
    case gdi::RGN_XOR: state_.clip = current.subtracted(device).united(device.subtracted(current)); break;
    case gdi::RGN_DIFF: state_.clip = current.subtracted(device); break;
    case gdi::RGN_COPY: state_.clip = device; break;
    default: break;
    }
    if (state_.clip)
        state_.clip = simplerArea(*state_.clip);
}

void DeviceContext::offsetClip(QPointF device)
{
    if (state_.clip)
        state_.clip->translate(device);
}

bool DeviceContext::select(const GdiObject &object)
{
    if (const auto *pen = std::get_if<Pen>(&object))
        state_.pen = *pen;
    else if (const auto *brush = std::get_if<Brush>(&object))
        state_.brush = *brush;
    else if (const auto *font = std::get_if<Font>(&object))
        state_.font = *font;
    else
        return false;
    return true;
}

void DeviceContext::save()
{
    if (saved_.size() < size_t(MaxSavedStates))
        saved_.push_back(state_);
}

void DeviceContext::restore(int which)
{
    const qint64 depth = qint64(saved_.size());
    const qint64 index = which < 0 ? depth + which : qint64(which) - 1;
    if (index < 0 || index >= depth)
        return;
    state_ = saved_[size_t(index)];
    saved_.resize(size_t(index));
}

// The arc direction is the one seen on the device: a mapping that turns the
// y axis over (as the metric modes and a negative extent do) turns the
// direction over in logical units.
bool DeviceContext::arcsClockwise() const
{
    return state_.clockwiseArcs != (toDevice().determinant() < 0);
}

} // namespace metafile
