// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/ScrollBar.h"

#include <QScrollBar>

#include <algorithm>

#include "platform/system/Error.h"

namespace platform {

namespace {

int clamp16(int value)
{
    return std::clamp(value, -32768, 32767);
}

} // namespace

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget *container)
    : Control(new QScrollBar(orientation, container)),
      bar_(static_cast<QScrollBar *>(widget()))
{
    // Without tracking, valueChanged arrives only once a drag ends; the drag
    // itself is reported through sliderMoved.
    bar_->setTracking(false);
    bar_->setFocusPolicy(Qt::StrongFocus);
    applyRange();
    connect(bar_, &QScrollBar::valueChanged, this, &ScrollBar::change);
    connect(bar_, &QScrollBar::sliderMoved, this, &ScrollBar::scroll);
}

int ScrollBar::value() const
{
    return bar_->isSliderDown() ? bar_->sliderPosition() : bar_->value();
}

void ScrollBar::setValue(int value)
{
    if (value < std::min(min_, max_) || value > std::max(min_, max_))
        raise(errc::InvalidPropertyValue);
    bar_->setValue(value);
}

void ScrollBar::setMin(int min)
{
    min_ = clamp16(min);
    applyRange();
}

void ScrollBar::setMax(int max)
{
    max_ = clamp16(max);
    applyRange();
}

void ScrollBar::setSmallChange(int units)
{
    bar_->setSingleStep(units);
}

void ScrollBar::setLargeChange(int units)
{
    bar_->setPageStep(units);
}

void ScrollBar::applyRange()
{
    // Qt wants minimum <= maximum; a maximum set below the minimum leaves a
    // range of one value rather than moving the minimum.
    bar_->setRange(min_, std::max(min_, max_));
}

} // namespace platform
