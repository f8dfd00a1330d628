// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/WmfWriter.h"

#include <QtEndian>

namespace {

// Appends the little-endian words and double words of `values`.
template <typename... T>
void put(QByteArray &out, T... values)
{
    const auto one = [&out](auto value) {
        char bytes[sizeof(value)];
        qToLittleEndian(value, bytes);
        out.append(bytes, sizeof(value));
    };
    (one(values), ...);
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
    put(records_, words, function);
    for (qint16 p : params)
        put(records_, p);
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
    QByteArray out;
    // In memory, 9 header words, version 3, the size in words with the
    // end-of-file record, one object, the largest record.
    put(out, quint16(1), quint16(9), quint16(0x0300), quint32((18 + records_.size() + 6) / 2), quint16(1),
        quint32(largestRecord_), quint16(0));
    out += records_;
    put(out, quint32(3), quint16(0)); // EOF record
    return out;
}

QByteArray WmfWriter::placeable() const
{
    QByteArray header;
    put(header, quint32(0x9AC6CDD7), quint16(0), qint16(bounds_.left()), qint16(bounds_.top()),
        qint16(bounds_.right() + 1), qint16(bounds_.bottom() + 1), unitsPerInch_, quint32(0));
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(header.constData() + 2 * i);
    put(header, checksum);
    return header + standard();
}
