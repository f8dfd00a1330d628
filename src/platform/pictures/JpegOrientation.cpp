// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/JpegOrientation.h"

#include <QtEndian>

#include <optional>

#include "platform/pictures/JpegSegments.h"

namespace platform {

namespace {

constexpr quint16 OrientationTag = 0x0112;

// The TIFF structure an EXIF block holds, in its own byte order.
class Tiff
{
public:
    explicit Tiff(QByteArrayView data) : data_(data), bigEndian_(data.startsWith("MM")) {}

    bool valid() const
    {
        return data_.size() >= 8 && (data_.startsWith("II") || bigEndian_) && word(2) == 42;
    }
    bool holds(qint64 at, qint64 bytes) const { return at >= 0 && at + bytes <= data_.size(); }

    quint16 word(qint64 at) const
    {
        const auto *p = reinterpret_cast<const uchar *>(data_.data()) + at;
        return bigEndian_ ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
    }
    quint32 longWord(qint64 at) const
    {
        const auto *p = reinterpret_cast<const uchar *>(data_.data()) + at;
        return bigEndian_ ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }
    uchar byte(qint64 at) const { return uchar(data_[at]); }

private:
    QByteArrayView data_;
    bool bigEndian_;
};

// The value of a directory entry of one integer, kept in the entry itself.
std::optional<qint64> integerOf(const Tiff &tiff, qint64 entry)
{
    const qint64 value = entry + 8;
    switch (tiff.word(entry + 2)) {
    case 1: return tiff.byte(value);                // BYTE
    case 6: return qint8(tiff.byte(value));         // SBYTE
    case 3: return tiff.word(value);                // SHORT
    case 8: return qint16(tiff.word(value));        // SSHORT
    case 4: return tiff.longWord(value);            // LONG
    case 9: return qint32(tiff.longWord(value));    // SLONG
    default: return std::nullopt;
    }
}

std::optional<qint64> orientationIn(const Tiff &tiff)
{
    if (!tiff.valid())
        return std::nullopt;
    const qint64 directory = tiff.longWord(4);
    if (!tiff.holds(directory, 2))
        return std::nullopt;
    const int entries = tiff.word(directory);
    for (int i = 0; i < entries; ++i) {
        const qint64 entry = directory + 2 + 12 * qint64(i);
        if (!tiff.holds(entry, 12))
            break;
        if (tiff.word(entry) == OrientationTag && tiff.longWord(entry + 4) >= 1)
            return integerOf(tiff, entry);
    }
    return std::nullopt;
}

// The EXIF orientations as Qt's transformations: mirrored first, then
// turned.
QImageIOHandler::Transformations transformationOf(qint64 orientation)
{
    switch (orientation) {
    case 2: return QImageIOHandler::TransformationMirror;
    case 3: return QImageIOHandler::TransformationRotate180;
    case 4: return QImageIOHandler::TransformationFlip;
    case 5: return QImageIOHandler::TransformationFlipAndRotate90;
    case 6: return QImageIOHandler::TransformationRotate90;
    case 7: return QImageIOHandler::TransformationMirrorAndRotate90;
    case 8: return QImageIOHandler::TransformationRotate270;
    default: return QImageIOHandler::TransformationNone;
    }
}

} // namespace

QImageIOHandler::Transformations jpegOrientation(const QByteArray &bytes)
{
    static const QByteArray exifHeader("Exif\0\0", 6);
    qsizetype at = 2;
    while (const auto segment = nextJpegSegment(bytes, at)) {
        if (segment->marker == 0xDA || segment->marker == 0xD9) // the pixels, or the end
            break;
        const QByteArrayView data(bytes.constData() + segment->at, segment->length);
        if (segment->marker == 0xE1 && data.startsWith(exifHeader))
            return transformationOf(orientationIn(Tiff(data.sliced(exifHeader.size()))).value_or(1));
    }
    return QImageIOHandler::TransformationNone;
}

} // namespace platform
