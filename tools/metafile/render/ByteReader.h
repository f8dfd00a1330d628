// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtEndian>

#include <cstdint>

namespace metafile {

// Reads little-endian fields from one record's bytes. Every read is checked
// against the record's end: a field past it reads as zero and marks the
// reader as overrun, so a short record can never reach beyond its bytes.
class ByteReader
{
public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    template<typename T>
    T at(qsizetype offset)
    {
        if (offset < 0 || offset > bytes_.size() - qsizetype(sizeof(T))) {
            overrun_ = true;
            return T{};
        }
        return qFromLittleEndian<T>(bytes_.data() + offset);
    }

    quint8 u8(qsizetype offset) { return at<quint8>(offset); }
    qint16 i16(qsizetype offset) { return at<qint16>(offset); }
    quint16 u16(qsizetype offset) { return at<quint16>(offset); }
    qint32 i32(qsizetype offset) { return at<qint32>(offset); }
    quint32 u32(qsizetype offset) { return at<quint32>(offset); }
    float f32(qsizetype offset) { return at<float>(offset); }

    // `count` items of `itemSize` bytes from `offset` lie within the record.
    bool holds(qsizetype offset, qint64 count, qsizetype itemSize) const
    {
        return offset >= 0 && count >= 0 && offset <= bytes_.size()
            && count <= (bytes_.size() - offset) / itemSize;
    }

    QByteArrayView slice(qsizetype offset, qsizetype length) const
    {
        if (!holds(offset, length, 1))
            return {};
        return bytes_.sliced(offset, length);
    }

    qsizetype size() const { return bytes_.size(); }
    bool overrun() const { return overrun_; }

private:
    QByteArrayView bytes_;
    bool overrun_ = false;
};

} // namespace metafile
