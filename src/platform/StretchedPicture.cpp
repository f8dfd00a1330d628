#include "platform/StretchedPicture.h"

#include <QPainter>

#include "platform/HalfSize.h"

namespace platform {

StretchedPicture::StretchedPicture(QWidget *parent) : QWidget(parent)
{
}

void StretchedPicture::setPicture(PicturePtr picture)
{
    if (picture != picture_)
        reduced_.clear();
    picture_ = std::move(picture);
    // Stretched over the whole control, a picture without transparency
    // hides the area's background: it is not painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, picture_ && !picture_->isEmpty() && !picture_->isVector()
                                              && !picture_->image().hasAlphaChannel());
    update();
}

const QImage &StretchedPicture::sourceFor(QSize target)
{
    const QImage *source = &picture_->image();
    std::size_t level = 0;
    for (;;) {
        const QSize half = halvedSize(source->size());
        if (half.width() < target.width() || half.height() < target.height()
            || half == source->size())
            return *source;
        if (level == reduced_.size()) {
            // Painting must not throw: without memory for a smaller copy,
            // draw from the one at hand.
            try {
                QImage smaller = halfSize(*source);
                if (smaller.isNull())
                    return *source;
                reduced_.push_back(std::move(smaller));
            } catch (const std::bad_alloc &) {
                return *source;
            }
        }
        source = &reduced_[level++];
    }
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
