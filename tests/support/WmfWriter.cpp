// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/WmfWriter.h"

#include <QtEndian>

#include "support/Pictures.h"

WmfWriter::WmfWriter(QRect bounds, quint16 unitsPerInch) : bounds_(bounds), unitsPerInch_(unitsPerInch)
{
    record(0x020B, {qint16(bounds.top()), qint16(bounds.left())});     // SETWINDOWORG
    record(0x020C, {qint16(bounds.height()), qint16(bounds.width())}); // SETWINDOWEXT
}

void WmfWriter::record(quint16 function, const QList<qint16> &params)
{
    const quint32 words = 3 + quint32(params.size());
    records_ += le({words}) + le({function}, 2);
    for (qint16 p : params)
        records_ += le({p}, 2);
    largestRecord_ = std::max(largestRecord_, int(words));
}

void WmfWriter::blackBrush()
{
    record(0x02FC, {0 /* BS_SOLID */, 0, 0, 0}); // CREATEBRUSHINDIRECT, colour 0
    record(0x012D, {0});                         // SELECTOBJECT
}

void WmfWriter::rectangle(QRect r)
{
    record(0x041B, {qint16(r.bottom() + 1), qint16(r.right() + 1), qint16(r.top()), qint16(r.left())});
}

void WmfWriter::polygon(const QList<QPoint> &points)
{
    QList<qint16> params{qint16(points.size())};
    for (const QPoint &p : points)
        params << qint16(p.x()) << qint16(p.y());
    record(0x0324, params);
}

QByteArray WmfWriter::standard() const
{
    // In memory, 9 header words, version 3, the size in words with the
    // end-of-file record, one object, the largest record; the records and
    // the end-of-file record.
    return le({1, 9, 0x0300}, 2) + le({(18 + records_.size() + 6) / 2}) + le({1}, 2) + le({largestRecord_})
        + le({0}, 2) + records_ + le({3}) + le({0}, 2);
}

QByteArray WmfWriter::placeable() const
{
    QByteArray header = le({0x9AC6CDD7}) + le({0, bounds_.left(), bounds_.top(), bounds_.right() + 1,
                                               bounds_.bottom() + 1, unitsPerInch_}, 2) + le({0});
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(header.constData() + 2 * i);
    return header + le({checksum}, 2) + standard();
}
