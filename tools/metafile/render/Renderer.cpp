// SPDX-License-Identifier: GPL-2.0-or-later
#include "Renderer.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <cmath>

#include "EmfPlayer.h"
#include "EmfPlusCheck.h"
#include "EmfPlusPlayer.h"
#include "WmfPlayer.h"

namespace metafile {

namespace {

bool usable(const QRectF &box)
{
    return std::isfinite(box.width()) && std::isfinite(box.height()) && box.width() > 0 && box.height() > 0
        && std::abs(box.left()) < 1e9 && std::abs(box.top()) < 1e9 && box.width() < 1e9 && box.height() < 1e9;
}

// Plays once onto an SVG generator whose view box is `box`.
template<typename Play>
QByteArray toSvg(const QRectF &box, Play play)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setViewBox(box);
    generator.setSize(QSize(std::max(1, int(std::ceil(box.width()))), std::max(1, int(std::ceil(box.height())))));
    QPainter painter;
    if (!painter.begin(&generator))
        return {};
    play(&painter);
    painter.end();
    return svg;
}

// Plays the drawing an EMF holds and returns what it drew: its EMF+
// records when they are all of it, its plain records otherwise (a "dual"
// file's plain records draw the same, as GDI shows them).
template<typename Player>
QRectF play(QByteArrayView bytes, const EmfHeader &header, QPainter *painter)
{
    Player player(bytes, header, painter);
    player.play();
    return player.drawnBounds();
}

QRectF playEmf(QByteArrayView bytes, const EmfHeader &header, QPainter *painter)
{
    return isEmfPlusOnly(bytes) ? play<EmfPlusPlayer>(bytes, header, painter)
                                : play<EmfPlayer>(bytes, header, painter);
}

QByteArray renderEmf(QByteArrayView bytes)
{
    const std::optional<EmfHeader> header = readEmfHeader(bytes);
    if (!header)
        return {};
    // The view box is the frame in hundredths of a millimetre, so that its
    // proportions are the picture's even on a device with non-square
    // pixels; the records draw in device pixels, scaled to it.
    const QRectF frame = header->frame.adjusted(0, 0, 1, 1);
    const QSizeF perMm = header->pixelsPerMm;
    QTransform toBox = QTransform::fromScale(100 / perMm.width(), 100 / perMm.height());
    QRectF box = usable(frame) ? frame : QRectF();
    if (box.isNull()) {
        toBox = QTransform();
        box = header->bounds.adjusted(0, 0, 1, 1);
    }
    if (!usable(box))
        box = playEmf(bytes, *header, nullptr);
    if (!usable(box))
        return {};
    return toSvg(box, [&](QPainter *painter) {
        painter->setTransform(toBox);
        playEmf(bytes, *header, painter);
    });
}

QByteArray renderWmf(QByteArrayView bytes)
{
    const std::optional<WmfHeader> header = readWmfHeader(bytes);
    if (!header)
        return {};
    QRectF box = header->placeableBox.value_or(header->window.value_or(QRectF()));
    if (!usable(box)) {
        WmfPlayer measure(bytes, *header, QRectF(0, 0, 1, 1), nullptr);
        measure.play();
        box = measure.drawnBounds();
    }
    if (!usable(box))
        return {};
    return toSvg(box, [&](QPainter *painter) { WmfPlayer(bytes, *header, box, painter).play(); });
}

} // namespace

QByteArray renderMetafileSvg(QByteArrayView bytes, Kind kind)
{
    return kind == Kind::Emf ? renderEmf(bytes) : renderWmf(bytes);
}

} // namespace metafile
