// SPDX-License-Identifier: GPL-2.0-or-later
// The EMF player's bitmap records.
#include "EmfPlayer.h"

#include <QPainter>
#include <QtEndian>

#include "Blit.h"
#include "Dib.h"
#include "EmfRecords.h"
#include "Records.h"

namespace metafile {

using namespace emf;

QImage emf::recordDib(ByteReader &r, qsizetype offBmi, qsizetype cbBmi, qsizetype offBits, qsizetype cbBits,
                      bool alpha)
{
    const QByteArrayView info = r.slice(offBmi, cbBmi);
    const QByteArrayView bits = r.slice(offBits, cbBits);
    if (info.isEmpty() || bits.isEmpty())
        return {};
    return dibToImage(info, bits, alpha);
}

bool EmfPlayer::playBitmap(quint32 type, ByteReader &r)
{
    switch (type) {
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_MASKBLT:
    case EMR_STRETCHDIBITS:
    case EMR_SETDIBITSTODEVICE:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT: stretch(r, type); return true;
    default: return false;
    }
}

void EmfPlayer::stretch(ByteReader &r, quint32 type)
{
    const QPointF dest(r.i32(24), r.i32(28));
    if (type == EMR_SETDIBITSTODEVICE)
        return setDibitsToDevice(r);
    if (type == EMR_STRETCHDIBITS) {
        const QSizeF source(r.i32(40), r.i32(44));
        const QImage dib = recordDib(r, r.u32(48), r.u32(52), r.u32(56), r.u32(60));
        const bool bottomUp = dibBottomUp(r.slice(r.u32(48), r.u32(52)));
        const QImage part = sourcePart(dib, QRectF(QPointF(r.i32(32), r.i32(36)), source), bottomUp);
        blit(canvas_, dc_, QRectF(dest, QSizeF(r.i32(72), r.i32(76))), r.u32(68), part);
        return;
    }
    const QSizeF size(r.i32(32), r.i32(36));
    const unsigned rop = (type == EMR_ALPHABLEND || type == EMR_TRANSPARENTBLT) ? gdi::SRCCOPY : r.u32(40);
    const bool alpha = type == EMR_ALPHABLEND && (r.at<quint8>(43) & 1); // AC_SRC_ALPHA
    QImage dib = recordDib(r, r.u32(84), r.u32(88), r.u32(92), r.u32(96), alpha);
    if (type != EMR_BITBLT && type != EMR_MASKBLT)
        dib = sourcePart(dib, QRectF(QPointF(r.i32(44), r.i32(48)), QSizeF(r.i32(100), r.i32(104))), false);
    if (type == EMR_ALPHABLEND && !dib.isNull()) {
        const int constant = r.at<quint8>(42);
        dib = dib.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (constant < 255) {
            QImage faded(dib.size(), QImage::Format_ARGB32_Premultiplied);
            faded.fill(Qt::transparent);
            QPainter painter(&faded);
            painter.setOpacity(constant / 255.0);
            painter.drawImage(0, 0, dib);
            painter.end();
            dib = faded;
        }
    }
    if (type == EMR_TRANSPARENTBLT)
        dib = withoutColour(dib, readColorRef(r, 40).rgb());
    blit(canvas_, dc_, QRectF(dest, size), rop, dib);
}

// The record may carry only a band of the bitmap's scan lines (printers
// send big bitmaps so): the band's rows are counted from the bottom of the
// whole bitmap, from iStartScan on, and only the part of the source that
// falls in the band is drawn, one to one.
void EmfPlayer::setDibitsToDevice(ByteReader &r)
{
    QByteArray info = r.slice(r.u32(48), r.u32(52)).toByteArray();
    const qint64 height = info.size() >= 40 ? qFromLittleEndian<qint32>(info.constData() + 8) : 0;
    const qint64 start = r.u32(68), scans = r.u32(72);
    const QRectF source(QPointF(r.i32(32), r.i32(36)), QSizeF(r.i32(40), r.i32(44)));
    QRectF shown = source; // rows counted from the bottom of the whole bitmap
    double bandBottom = 0;
    if (height > 0 && scans > 0 && scans < height) {
        qToLittleEndian<qint32>(qint32(scans), info.data() + 8);
        shown = source.intersected(QRectF(source.x(), double(start), source.width(), double(scans)));
        bandBottom = double(start);
        if (shown.isEmpty())
            return;
    }
    const QImage band = dibToImage(info, r.slice(r.u32(56), r.u32(60)));
    const QImage part = sourcePart(band, shown.translated(0, -bandBottom), true);
    const QPointF dest(r.i32(24), r.i32(28) + (source.bottom() - shown.bottom()));
    blit(canvas_, dc_, QRectF(dest, shown.size()), gdi::SRCCOPY, part);
}

} // namespace metafile
