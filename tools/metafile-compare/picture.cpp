// SPDX-License-Identifier: GPL-2.0-or-later
#include "picture.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

#include "trim.h"

namespace {

// Transparent parts would otherwise compare as black; both programs mean
// "paper" by them.
QImage onWhite(const QImage &image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

// Draws the part `area` (in pixels of the picture drawn at `pictureSize`) of
// the picture, `zoom` times larger.
QImage drawPart(QSvgRenderer &renderer, const QSizeF &pictureSize, const QRectF &area, double zoom)
{
    const QSize pixels(std::max(1, int(std::ceil(area.width() * zoom))),
                       std::max(1, int(std::ceil(area.height() * zoom))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(zoom, zoom);
    painter.translate(-area.topLeft());
    renderer.render(&painter, QRectF(QPointF(0, 0), pictureSize));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage drawSvg(const QString &path, int inkSide)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QSizeF size = renderer.viewBoxF().size();
    if (size.isEmpty())
        size = renderer.defaultSize();
    if (size.isEmpty())
        return {};
    // First the whole paper, to find where the drawing is; then only that
    // part, large, so a small drawing on a wide page keeps its detail.
    size.scale(inkSide, inkSide, Qt::KeepAspectRatio);
    const QImage whole = drawPart(renderer, size, QRectF(QPointF(0, 0), size), 1.0);
    const QRect ink = inkBounds(whole);
    if (ink.isEmpty())
        return whole;
    const QRectF area = QRectF(ink).adjusted(-1, -1, 1, 1);
    const double zoom = std::min(64.0, inkSide / std::max(area.width(), area.height()));
    return drawPart(renderer, size, area, zoom);
}

} // namespace

QImage loadOnWhite(const QString &path, int svgInkSide)
{
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return drawSvg(path, svgInkSide);
    QImageReader reader(path);
    // LibreOffice's page for a small picture is drawn very large.
    reader.setAllocationLimit(1024);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return onWhite(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}
