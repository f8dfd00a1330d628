// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/Picture.h"

#include <QPainter>
#include <QSvgRenderer>

#include "platform/system/Twips.h"

namespace platform {

Picture::Picture(Kind kind, QImage image, QByteArray original)
    : kind_(kind), image_(std::move(image)), original_(std::move(original))
{
}

Picture::Picture(const Picture &raster, QImage reducedCopy)
    : kind_(raster.kind_), image_(raster.image_), reduced_(std::move(reducedCopy)),
      original_(raster.original_)
{
}

Picture::Picture(QByteArray svg, std::optional<QSizeF> twips, double twipsPerUnit,
                 QByteArray original)
    : kind_(Kind::Metafile), svg_(std::move(svg)), original_(std::move(original)),
      renderer_(std::make_unique<QSvgRenderer>(svg_))
{
    // Drawn into rectangles of any shape: the aspect ratio is not kept.
    renderer_->setAspectRatioMode(Qt::IgnoreAspectRatio);
    twips_ = twips ? *twips : renderer_->viewBoxF().size() * twipsPerUnit;
}

bool Picture::hasDrawing() const
{
    return renderer_ && renderer_->isValid();
}

Picture::~Picture() = default;

QSize Picture::pixelSize() const
{
    if (isVector())
        return {toPixels(float(twips_.width())), toPixels(float(twips_.height()))};
    return image_.size();
}

QSizeF Picture::twipsSize() const
{
    return isVector() ? twips_ : toTwips(image_.size());
}

void Picture::draw(QPainter &painter, const QRectF &target, const QRectF &source) const
{
    if (isVector()) {
        if (!renderer_->isValid() || source.isEmpty())
            return;
        // Place the whole drawing so that `source` lands on `target`, and
        // let the clip keep the rest out.
        const QSize size = pixelSize();
        const double sx = target.width() / source.width();
        const double sy = target.height() / source.height();
        const QRectF whole(target.x() - source.x() * sx, target.y() - source.y() * sy,
                           size.width() * sx, size.height() * sy);
        painter.save();
        painter.setClipRect(target, Qt::IntersectClip);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer_->render(&painter, whole);
        painter.restore();
        return;
    }
    if (!image_.isNull())
        painter.drawImage(target, image_, source);
}

PicturePtr emptyPicture()
{
    return std::make_shared<const Picture>();
}

} // namespace platform
