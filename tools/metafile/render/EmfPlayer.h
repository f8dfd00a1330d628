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
struct TextRun;

struct EmfHeader
{
    QRectF bounds;       // device units, inclusive
    QRectF frame;        // 0.01 mm, inclusive
    QSizeF pixelsPerMm;  // of the reference device
    quint32 handles = 0;
};

std::optional<EmfHeader> readEmfHeader(QByteArrayView bytes);

// Plays the records of an enhanced metafile, one after another, onto a
// canvas in the reference device's units.
class EmfPlayer
{
public:
    EmfPlayer(QByteArrayView bytes, const EmfHeader &header, QPainter *painter);

    void play();
    QRectF drawnBounds() const { return canvas_.bounds(); }

private:
    void playRecord(quint32 type, ByteReader &r);
    bool playState(quint32 type, ByteReader &r);
    bool playMapping(quint32 type, ByteReader &r);
    bool playObject(quint32 type, ByteReader &r);
    bool playShape(quint32 type, ByteReader &r);
    bool playPoly(quint32 type, ByteReader &r);
    bool playPath(quint32 type, ByteReader &r);
    bool playClip(quint32 type, ByteReader &r);
    bool playText(quint32 type, ByteReader &r);
    bool playBitmap(quint32 type, ByteReader &r);

    void select(quint32 handle);
    void createPen(ByteReader &r);
    void createExtPen(ByteReader &r);
    void createFont(ByteReader &r);
    void createPatternBrush(ByteReader &r);
    void polyPoly(ByteReader &r, bool shortPoints, bool closed);
    void polyDraw(ByteReader &r, bool shortPoints);
    void angleArc(ByteReader &r);
    void pathFill(bool fill, bool stroke);
    std::optional<TextRun> textAt(ByteReader &r, qsizetype at, bool wide);
    void setDibitsToDevice(ByteReader &r);
    void fillRegion(const QPainterPath &device, const Brush &brush);
    void stretch(ByteReader &r, quint32 type);

    QByteArrayView bytes_;
    DeviceContext dc_;
    ObjectTable objects_;
    Canvas canvas_;
};

} // namespace metafile
