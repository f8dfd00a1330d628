// SPDX-License-Identifier: GPL-2.0-or-later
#include "metafile/EmfPlusWriter.h"

#include <QtEndian>

#include <bit>

#include "support/Pictures.h"

EmfPlusWriter::EmfPlusWriter(QSize pixels, QSize mm)
    : emf_(QRect(0, 0, mm.width() * 100 - 1, mm.height() * 100 - 1), pixels, mm)
{
    record(0x4001, 0, le({0xDBC01002, 1, 96, 96})); // header: a video display at 96 dpi
}

void EmfPlusWriter::record(quint16 type, quint16 flags, const QByteArray &data)
{
    const QByteArray padded = data.leftJustified((data.size() + 3) / 4 * 4, '\0');
    const QByteArray plus = "EMF+" + le({type, flags}, 2) + le({12 + padded.size(), padded.size()}) + padded;
    QList<qint32> words{qint32(plus.size())};
    for (qsizetype i = 0; i < plus.size(); i += 4)
        words << qFromLittleEndian<qint32>(plus.constData() + i);
    emf_.record(70, words); // EMR_COMMENT
}

QByteArray floats(std::initializer_list<float> values)
{
    QByteArray bytes;
    for (const float value : values)
        bytes += le({std::bit_cast<quint32>(value)});
    return bytes;
}

QByteArray withoutPlainDrawing(const QByteArray &dual)
{
    QByteArray kept;
    int records = 0;
    for (qsizetype at = 0; at + 8 <= dual.size();) {
        const quint32 type = qFromLittleEndian<quint32>(dual.constData() + at);
        const qsizetype size = qFromLittleEndian<quint32>(dual.constData() + at + 4);
        if (size < 8)
            break;
        if (type == 1 || type == 70 || type == 14) { // header, comment, end of file
            kept += dual.mid(at, size);
            ++records;
        }
        at += size;
    }
    const qsizetype plusHeader = qFromLittleEndian<quint32>(kept.constData() + 4) + 18;
    qToLittleEndian<quint16>(0, kept.data() + plusHeader); // the EMF+ header's flags
    qToLittleEndian<quint32>(quint32(kept.size()), kept.data() + 48);
    qToLittleEndian<quint32>(quint32(records), kept.data() + 52);
    return kept;
}
