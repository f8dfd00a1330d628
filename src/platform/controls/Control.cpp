// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/Control.h"

#include "platform/system/Error.h"
#include "platform/system/Twips.h"

namespace platform {

Control::Control(QWidget *widget) : QObject(widget), widget_(widget)
{
}

Control::~Control() = default;

void Control::setLeft(float twips)
{
    left_ = twips;
    applyGeometry();
}

void Control::setTop(float twips)
{
    top_ = twips;
    applyGeometry();
}

void Control::setWidth(float twips)
{
    if (twips < 0)
        raise(errc::InvalidPropertyValue);
    width_ = twips;
    applyGeometry();
}

void Control::setHeight(float twips)
{
    if (twips < 0)
        raise(errc::InvalidPropertyValue);
    height_ = twips;
    applyGeometry();
}

void Control::move(float left, float top, float width, float height)
{
    if (width < 0 || height < 0)
        raise(errc::InvalidPropertyValue);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

bool Control::isVisible() const
{
    return visible_;
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    if (widget_)
        widget_->setVisible(visible);
}

void Control::setToolTip(const QString &text)
{
    if (widget_)
        widget_->setToolTip(text);
}

void Control::applyGeometry()
{
    if (!widget_)
        return;
    // Edges are rounded rather than the size, so neighbouring controls
    // meet without gaps or overlaps.
    const int x = toPixels(left_);
    const int y = toPixels(top_);
    const int right = toPixels(left_ + width_);
    const int bottom = toPixels(top_ + height_);
    widget_->setGeometry(x, y, right - x, bottom - y);
}

} // namespace platform
