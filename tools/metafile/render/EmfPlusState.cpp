// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusState.h"

#include <cmath>

#include "EmfPlusRecords.h"

namespace metafile::emfplus {

PlusState::PlusState(const ReferenceDevice &device) : device_(device)
{
}

QSizeF PlusState::pixelsPer(int unit) const
{
    switch (unit) {
    // A printer's display unit is a hundredth of an inch; a screen's, a pixel.
    case Display: return device_.video ? QSizeF(1, 1) : device_.dpi / 100;
    case Point: return device_.dpi / 72;
    case Inch: return device_.dpi;
    case Document: return device_.dpi / 300;
    case Millimetre: return device_.dpi / 25.4;
    default: return QSizeF(1, 1);
    }
}

QTransform PlusState::toDevice() const
{
    const QSizeF page = pixelsPer(state_.pageUnit) * state_.pageScale;
    return state_.world * QTransform::fromScale(page.width(), page.height());
}

double PlusState::toWorld(double length, int unit) const
{
    // Lengths in world units scale with the world transform; the others are
    // the same on the device whatever the page, so they count in page units.
    if (unit == World)
        return length;
    const double page = pixelsPer(state_.pageUnit).width() * state_.pageScale;
    return page != 0 ? length * pixelsPer(unit).width() / page : 0;
}

double PlusState::deviceScale() const
{
    return std::sqrt(std::abs(toDevice().determinant()));
}

void PlusState::setPage(int unit, double scale)
{
    state_.pageUnit = unit;
    if (std::isfinite(scale) && scale > 0)
        state_.pageScale = scale;
}

void PlusState::transform(const QTransform &by, bool append)
{
    state_.world = append ? state_.world * by : by * state_.world;
}

void PlusState::save(quint32 index)
{
    if (saved_.size() < MaxSaved)
        saved_.emplace_back(index, state_);
}

void PlusState::restore(quint32 index)
{
    for (size_t i = saved_.size(); i-- > 0;) {
        if (saved_[i].first == index) {
            state_ = saved_[i].second;
            saved_.resize(i);
            return;
        }
    }
}

} // namespace metafile::emfplus
