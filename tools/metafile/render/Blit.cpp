// SPDX-License-Identifier: GPL-2.0-or-later
#include "Blit.h"

#include <QPainterPath>

#include "Canvas.h"
#include "DeviceContext.h"

namespace metafile {

QImage withoutColour(const QImage &image, QRgb colour)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (colour & 0xFFFFFF))
                row[x] = 0;
    }
    return out;
}

namespace {

void fillRect(Canvas &canvas, DeviceContext &dc, const QRectF &logical, const QBrush *brush)
{
    QPainterPath box;
    box.addRect(logical);
    const QPainterPath device = dc.toDevice().map(box);
    if (brush)
        canvas.fill(device, *brush);
    else
        canvas.fillWithBrush(device);
}

} // namespace

void blit(Canvas &canvas, DeviceContext &dc, const QRectF &logical, unsigned rop, const QImage &source)
{
    // The operation's code names what it does with source and pattern.
    const unsigned code = (rop >> 16) & 0xFF;
    const bool usesSource = ((code >> 2) & 0x33) != (code & 0x33);
    const bool usesPattern = ((code >> 4) & 0x0F) != (code & 0x0F);
    if (code == 0x00 || code == 0xFF) {
        const QBrush solid(code == 0 ? Qt::black : Qt::white);
        return fillRect(canvas, dc, logical, &solid);
    }
    if (!usesSource || source.isNull()) {
        if (usesPattern)
            fillRect(canvas, dc, logical, nullptr);
        return;
    }
    QImage shown = source;
    if (rop == gdi::SRCAND)
        shown = withoutColour(source, qRgb(255, 255, 255));
    else if (rop == gdi::SRCPAINT || rop == gdi::SRCINVERT)
        shown = withoutColour(source, qRgb(0, 0, 0));
    const QTransform t = dc.toDevice();
    canvas.image(QRectF(t.map(logical.topLeft()), t.map(logical.bottomRight())), shown);
}

QImage sourcePart(const QImage &image, QRectF source, bool fromBottom)
{
    if (image.isNull())
        return image;
    if (fromBottom)
        source.moveTop(image.height() - source.bottom());
    const QRect whole = image.rect();
    const QRect part = source.toAlignedRect().normalized().intersected(whole);
    if (part.isEmpty() || part == whole)
        return part.isEmpty() ? QImage() : image;
    return image.copy(part);
}

} // namespace metafile
