// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QRectF>

#include "Canvas.h"
#include "DeviceContext.h"
#include "EmfPlayer.h"
#include "EmfPlusImages.h"
#include "EmfPlusObjectTable.h"
#include "EmfPlusState.h"

class QPainter;

namespace metafile {

class ByteReader;

// Plays the EMF+ records that EMF comments carry, for a drawing made of
// them alone, onto a canvas in the reference device's pixels. The plain
// EMF records around them are not drawn.
class EmfPlusPlayer
{
public:
    EmfPlusPlayer(QByteArrayView bytes, const EmfHeader &header, QPainter *painter);

    void play();
    QRectF drawnBounds() const { return canvas_.bounds(); }

private:
    // False once playback should end.
    bool playComment(ByteReader &comment);
    void playRecord(quint16 type, quint16 flags, ByteReader &r);
    bool playState(quint16 type, quint16 flags, ByteReader &r);
    bool playTransform(quint16 type, quint16 flags, ByteReader &r);
    bool playClip(quint16 type, quint16 flags, ByteReader &r);
    bool playFill(quint16 type, quint16 flags, ByteReader &r);
    bool playDraw(quint16 type, quint16 flags, ByteReader &r);
    bool playText(quint16 type, quint16 flags, ByteReader &r);
    bool playImage(quint16 type, quint16 flags, ByteReader &r);

    void readObject(quint16 flags, ByteReader &r);
    void combineClip(const QPainterPath &device, int mode);
    // The brush a record names: an inline colour or an object.
    std::optional<emfplus::PlusBrush> brushOf(quint16 flags, quint32 id) const;
    // Shapes in world units, through the world and page transforms.
    void fill(const QPainterPath &world, const std::optional<emfplus::PlusBrush> &brush);
    void stroke(const QPainterPath &world, quint32 penId);
    void drawCurve(quint16 flags, ByteReader &r);
    void drawString(quint16 flags, ByteReader &r);
    void drawDriverString(quint16 flags, ByteReader &r);
    // The part `source` of an image object (in its own pixels) mapped to
    // the world by `toWorld`.
    void drawImage(quint32 id, QRectF source, const QTransform &toWorld);

    QByteArrayView bytes_;
    QRectF page_; // device units, for Clear
    emfplus::PlusState state_;
    emfplus::PlusObjectTable objects_;
    emfplus::DecodeAllowance allowance_;
    DeviceContext dc_;
    Canvas canvas_;
};

} // namespace metafile
