// SPDX-License-Identifier: GPL-2.0-or-later
// The EMF+ player's image records.
#include "EmfPlusPlayer.h"

#include "ByteReader.h"
#include "EmfPlusPaths.h"
#include "EmfPlusRecords.h"

namespace metafile {

using namespace emfplus;

namespace {

// The transform that takes `from` onto the parallelogram whose top left,
// top right and bottom left corners are `to`.
QTransform parallelogram(const QRectF &from, const QList<QPointF> &to)
{
    const QPointF across = (to[1] - to[0]) / from.width();
    const QPointF down = (to[2] - to[0]) / from.height();
    return QTransform::fromTranslate(-from.x(), -from.y())
        * QTransform(across.x(), across.y(), down.x(), down.y(), to[0].x(), to[0].y());
}

} // namespace

bool EmfPlusPlayer::playImage(quint16 type, quint16 flags, ByteReader &r)
{
    // Image attributes (at 0) and the source's unit (at 4) are not used:
    // sources count the image's pixels in real files.
    const QRectF source = readRectF(r, 8);
    switch (type) {
    case DrawImage: {
        const QRectF to = readRect(r, 24, flags & Compressed);
        if (!r.overrun())
            drawImage(flags & 0xFF, source, parallelogram(source, {to.topLeft(), to.topRight(), to.bottomLeft()}));
        return true;
    }
    case DrawImagePoints: {
        const QList<QPointF> corners = r.u32(24) == 3 ? emfplus::readPoints(r, 28, 3, flags) : QList<QPointF>();
        if (corners.size() == 3)
            drawImage(flags & 0xFF, source, parallelogram(source, corners));
        return true;
    }
    default: return false;
    }
}

void EmfPlusPlayer::drawImage(quint32 id, QRectF source, const QTransform &toWorld)
{
    const PlusImage *image = objects_.find<PlusImage>(id);
    if (!image || !source.isValid() || image->size.isEmpty())
        return;
    // A metafile drawn to pixels has more or fewer of them than its own.
    const QTransform toPixels = QTransform::fromScale(image->image.width() / image->size.width(),
                                                      image->image.height() / image->size.height());
    const QTransform toDevice = toPixels.inverted() * toWorld * state_.toDevice();
    dc_.state().clip = state_.current().clip;
    // A drawn metafile keeps the detail it was drawn with.
    canvas_.image(image->image, toPixels.mapRect(source), toDevice, std::max(1.0, toPixels.m11()));
}

} // namespace metafile
