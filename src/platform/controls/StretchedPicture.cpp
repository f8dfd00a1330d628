// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/StretchedPicture.h"

#include <QPainter>

#include "platform/pictures/HalfSize.h"

namespace platform {

StretchedPicture::StretchedPicture(QWidget *parent) : QWidget(parent)
{
}

void StretchedPicture::setPicture(PicturePtr picture)
{
    if (picture != picture_) {
        // One made in the background comes with the picture.
        reduced_ = picture ? picture->reducedCopy() : QImage();
        reducedHalvings_ = picture && !reduced_.isNull()
            ? halvingsFor(picture->image().size(), reduced_.size()) : 0;
    }
    picture_ = std::move(picture);
    // Stretched over the whole control, a picture without transparency
    // hides the area's background: it is not painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, picture_ && !picture_->isEmpty() && !picture_->isVector()
                                              && !picture_->image().hasAlphaChannel());
    update();
}

const QImage &StretchedPicture::sourceFor(QSize target)
{
    const QImage &whole = picture_->image();
    const int halvings = halvingsFor(whole.size(), target);
    if (halvings == 0)
        return whole;
    if (halvings != reducedHalvings_) {
        // Painting must not throw: without memory for a smaller copy, draw
        // from the whole picture.
        try {
            QImage smaller = reducedFor(whole, target);
            if (smaller.isNull())
                return whole;
            reduced_ = std::move(smaller);
            reducedHalvings_ = halvings;
        } catch (const std::bad_alloc &) {
            return whole;
        }
    }
    return reduced_;
}

void StretchedPicture::paintEvent(QPaintEvent *)
{
    if (!picture_ || picture_->isEmpty() || width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    if (picture_->isVector()) {
        // Drawn again at this size: lines and text stay sharp.
        picture_->draw(painter, rect(), QRectF(QPointF(0, 0), picture_->pixelSize()));
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage &source = sourceFor(size());
    painter.drawImage(rect(), source, source.rect());
}

} // namespace platform
