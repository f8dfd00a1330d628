// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/WmfWriter.h"

#include <QtEndian>

namespace {

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

WmfWriter::WmfWriter(QRect bounds, quint16 unitsPerInch) : bounds_(bounds), unitsPerInch_(unitsPerInch)
{
    record(0x020B, {qint16(bounds.top()), qint16(bounds.left())});     // SETWINDOWORG
    record(0x020C, {qint16(bounds.height()), qint16(bounds.width())}); // SETWINDOWEXT
}

void WmfWriter::record(quint16 function, const QList<qint16> &params)
{
    const quint32 words = 3 + quint32(params.size());
    put32(records_, words);
    put16(records_, function);
    for (qint16 p : params)
        put16(records_, quint16(p));
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

void WmfWriter::ellipse(QRect r)
{
    record(0x0418, {qint16(r.bottom() + 1), qint16(r.right() + 1), qint16(r.top()), qint16(r.left())});
}

void WmfWriter::polygon(const QList<QPoint> &points)
{
    QList<qint16> params{qint16(points.size())};
    for (const QPoint &p : points)
        params << qint16(p.x()) << qint16(p.y());
    record(0x0324, params);
}

void WmfWriter::text(QPoint at, const QByteArray &text)
{
    QByteArray padded = text;
    if (padded.size() % 2)
        padded.append('\0');
    QList<qint16> params{qint16(text.size())};
    for (qsizetype i = 0; i < padded.size(); i += 2)
        params << qint16(quint8(padded[i]) | (quint8(padded[i + 1]) << 8));
    params << qint16(at.y()) << qint16(at.x());
    record(0x0521, params);
}

QByteArray WmfWriter::standard() const
{
    QByteArray body = records_;
    put32(body, 3); // EOF record
    put16(body, 0);
    QByteArray out;
    put16(out, 1);      // in memory
    put16(out, 9);      // header words
    put16(out, 0x0300); // version
    put32(out, quint32((18 + body.size()) / 2));
    put16(out, 1); // objects
    put32(out, quint32(largestRecord_));
    put16(out, 0);
    return out + body;
}

QByteArray WmfWriter::placeable() const
{
    QByteArray header;
    put32(header, 0x9AC6CDD7);
    put16(header, 0);
    put16(header, quint16(bounds_.left()));
    put16(header, quint16(bounds_.top()));
    put16(header, quint16(bounds_.right() + 1));
    put16(header, quint16(bounds_.bottom() + 1));
    put16(header, unitsPerInch_);
    put32(header, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(header.constData() + 2 * i);
    put16(header, checksum);
    return header + standard();
}
