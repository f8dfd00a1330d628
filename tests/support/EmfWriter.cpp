// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/EmfWriter.h"

#include <QtEndian>

namespace {

void put(QByteArray &out, qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

EmfWriter::EmfWriter(QRect frame, QSize devicePixels, QSize deviceMm)
    : frame_(frame), devicePixels_(devicePixels), deviceMm_(deviceMm)
{
}

void EmfWriter::record(quint32 type, const QList<qint32> &params)
{
    put(records_, qint32(type));
    put(records_, qint32(8 + 4 * params.size()));
    for (qint32 p : params)
        put(records_, p);
    ++count_;
}

QByteArray EmfWriter::bytes() const
{
    const QByteArray end = [] {
        QByteArray eof;
        for (qint32 v : {14, 20, 0, 16, 20})
            put(eof, v);
        return eof;
    }();
    QByteArray out;
    // Bounds are left empty: the frame decides the picture's size.
    for (qint32 v : {1, 88, 0, 0, -1, -1, frame_.left(), frame_.top(), frame_.right(), frame_.bottom(),
                     0x464D4520, 0x10000, int(88 + records_.size() + end.size()), count_ + 2, 1, 0, 0, 0,
                     devicePixels_.width(), devicePixels_.height(), deviceMm_.width(), deviceMm_.height()})
        put(out, v);
    return out + records_ + end;
}
