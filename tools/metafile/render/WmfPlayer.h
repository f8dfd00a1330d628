// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QRectF>

#include <optional>

#include "Canvas.h"
#include "DeviceContext.h"
#include "ObjectTable.h"

class QPainter;

namespace metafile {

class ByteReader;

struct WmfHeader
{
    qsizetype recordsAt = 0;
    quint16 objects = 0;
    std::optional<QRectF> placeableBox; // the placeable header's, in its units
    double unitsPerInch = 96;
    std::optional<QRectF> window; // the first window the records set
};

std::optional<WmfHeader> readWmfHeader(QByteArrayView bytes);

// Plays the records of a Windows metafile onto a canvas whose units are the
// picture's: the placeable header's, or the metafile's own window.
class WmfPlayer
{
public:
    WmfPlayer(QByteArrayView bytes, const WmfHeader &header, const QRectF &picture, QPainter *painter);

    void play();
    QRectF drawnBounds() const { return canvas_.bounds(); }

private:
    void playRecord(quint16 function, ByteReader &r);
    bool playState(quint16 function, ByteReader &r);
    bool playMapping(quint16 function, ByteReader &r);
    bool playObject(quint16 function, ByteReader &r);
    bool playShape(quint16 function, ByteReader &r);
    bool playClip(quint16 function, ByteReader &r);
    bool playText(quint16 function, ByteReader &r);
    bool playBitmap(quint16 function, ByteReader &r);

    void select(quint16 index);
    void createPen(ByteReader &r);
    void createFont(ByteReader &r);
    void createRegion(ByteReader &r);
    const Region *region(quint16 index) const;
    void fillRegion(const QPainterPath &device, const Brush &brush);
    Brush bitmapPatternBrush(ByteReader &r) const;
    void textOut(ByteReader &r);
    void extTextOut(ByteReader &r);
    void bitmapBlit(quint16 function, ByteReader &r);

    QByteArrayView bytes_;
    WmfHeader header_;
    DeviceContext dc_;
    ObjectTable objects_;
    Canvas canvas_;
};

} // namespace metafile
