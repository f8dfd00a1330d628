#include "platform/Picture.h"

#include <QPainter>

#include "platform/Twips.h"

namespace platform {

Picture::Picture(Kind kind, QImage image, QByteArray original)
    : kind_(kind), image_(std::move(image)), original_(std::move(original))
{
}

QSizeF Picture::twipsSize() const
{
    return toTwips(image_.size());
}

void Picture::draw(QPainter &painter, const QRectF &target, const QRectF &source) const
{
    if (!image_.isNull())
        painter.drawImage(target, image_, source);
}

PicturePtr emptyPicture()
{
    return std::make_shared<const Picture>();
}

} // namespace platform
