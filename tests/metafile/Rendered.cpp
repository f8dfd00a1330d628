// SPDX-License-Identifier: GPL-2.0-or-later
#include "metafile/Rendered.h"

#include <QPainter>
#include <QSvgRenderer>

QImage rendered(const QByteArray &bytes, metafile::Kind kind, QSize size)
{
    return drawnSvg(metafile::renderMetafileSvg(bytes, kind), size);
}

QImage drawnSvg(const QByteArray &drawing, QSize size)
{
    QSvgRenderer svg(drawing);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Grey);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
    svg.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}
