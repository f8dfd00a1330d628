// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/PictureCanvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

PictureCanvas::PictureCanvas(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void PictureCanvas::setPicture(PicturePtr picture)
{
    picture_ = std::move(picture);
    // A picture without transparency hides everything beneath it, so
    // neither this box's background nor its container's is painted there:
    // a pan repaints the picture and nothing else.
    const bool opaque = picture_ && !picture_->isEmpty() && !picture_->isVector()
        && !picture_->image().hasAlphaChannel() && size() == picture_->pixelSize();
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    setAutoFillBackground(!opaque);
    update();
}

void PictureCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setPicture(picture_);
}

void PictureCanvas::paintEvent(QPaintEvent *event)
{
    if (!picture_ || picture_->isEmpty())
        return;
    // Paint only what is exposed: a panned canvas of a huge picture is
    // mostly outside its container.
    const QRect exposed = event->rect()
                              .intersected(visibleRegion().boundingRect())
                              .intersected(QRect(QPoint(0, 0), picture_->pixelSize()));
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    picture_->draw(painter, exposed, exposed);
}

} // namespace platform
