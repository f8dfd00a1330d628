// SPDX-License-Identifier: GPL-2.0-or-later
#include "metafile/Rendered.h"

#include <QPainter>
#include <QSvgRenderer>

QImage rendered(const QByteArray &bytes, metafile::Kind kind, QSize size)
{
    QSvgRenderer svg(metafile::renderMetafileSvg(bytes, kind));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Grey);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
    svg.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}
