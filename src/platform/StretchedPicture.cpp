// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/StretchedPicture.h"

#include <QPainter>

#include "platform/HalfSize.h"

namespace platform {

StretchedPicture::StretchedPicture(QWidget *parent) : QWidget(parent)
{
}

void StretchedPicture::setPicture(PicturePtr picture)
{
    if (picture != picture_) {
        reduced_ = QImage();
        reducedHalvings_ = 0;
    }
    picture_ = std::move(picture);
    // Stretched over the whole control, a picture without transparency
    // hides the area's background: it is not painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, picture_ && !picture_->isEmpty() && !picture_->isVector()
                                              && !picture_->image().hasAlphaChannel());
    update();
}

namespace {

// How often a picture of `size` can be halved and still cover `target`.
int halvingsFor(QSize size, QSize target)
{
    int halvings = 0;
    for (QSize half = halvedSize(size); half != size && half.width() >= target.width()
         && half.height() >= target.height();
         size = half, half = halvedSize(size))
        ++halvings;
    return halvings;
}

} // namespace

const QImage &StretchedPicture::sourceFor(QSize target)
{
    const QImage &whole = picture_->image();
    const int halvings = halvingsFor(whole.size(), target);
    if (halvings == 0)
        return whole;
    if (halvings != reducedHalvings_) {
        // Painting must not throw: without memory for a smaller copy, draw
        // from the whole picture. The steps between are let go as they go.
        try {
            QImage smaller = halfSize(whole);
            for (int i = 1; i < halvings && !smaller.isNull(); ++i)
                smaller = halfSize(smaller);
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
