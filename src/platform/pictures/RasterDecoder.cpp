// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/RasterDecoder.h"

#include <QImageReader>
#include <QtEndian>

#include <mutex>

#include "platform/pictures/BitmapReader.h"
#include "platform/pictures/ByteFields.h"
#include "platform/pictures/GifReader.h"
#include "platform/pictures/IconReader.h"
#include "platform/pictures/JpegDecoder.h"
#include "platform/pictures/JpegSegments.h"
#include "platform/pictures/PictureLimits.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

// A DIB is a bitmap without its file header, as the clipboard stores it: it
// starts with the size of one of the known info headers.
bool isHeaderlessDib(const QByteArray &bytes)
{
    if (bytes.size() < 16)
        return false;
    switch (fieldAt<quint32>(bytes, 0)) {
    case 12: case 40: case 52: case 56: case 64: case 108: case 124:
        break;
    default:
        return false;
    }
    const quint16 planes = fieldAt<quint16>(bytes, bytes.at(0) == 12 ? 8 : 12);
    return planes == 1;
}

bool isIconDirectory(const QByteArray &bytes, quint16 type)
{
    return bytes.size() >= 6 && fieldAt<quint16>(bytes, 0) == 0 && fieldAt<quint16>(bytes, 2) == type
        && fieldAt<quint16>(bytes, 4) > 0;
}

// The size a JPEG's frame header declares.
QSize jpegFrameSize(const QByteArray &bytes)
{
    qsizetype at = 2;
    while (const auto segment = nextJpegSegment(bytes, at)) {
        const uchar marker = segment->marker;
        if (marker == 0xDA || marker == 0xD9) // the pixels, or the end
            break;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && segment->length >= 5)
            return {qFromBigEndian<quint16>(bytes.constData() + segment->at + 3),
                    qFromBigEndian<quint16>(bytes.constData() + segment->at + 1)};
    }
    return {};
}

} // namespace

Picture::Kind detectRasterKind(const QByteArray &bytes)
{
    if (bytes.startsWith("BM") || isHeaderlessDib(bytes))
        return Picture::Kind::Bitmap;
    if (isIconDirectory(bytes, 1) || isIconDirectory(bytes, 2))
        return Picture::Kind::Icon;
    // As libjpeg takes it: whatever follows the start-of-image marker,
    // padding or stray bytes, comes before a marker it can find.
    if (bytes.startsWith("\xFF\xD8"))
        return Picture::Kind::Jpeg;
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return Picture::Kind::Gif;
    return Picture::Kind::Empty;
}

QSize declaredSize(Picture::Kind kind, const QByteArray &bytes)
{
    switch (kind) {
    case Picture::Kind::Bitmap: {
        const qsizetype at = bytes.startsWith("BM") ? 14 : 0;
        if (bytes.size() < at + 12)
            return {};
        if (fieldAt<quint32>(bytes, at) == 12)
            return {fieldAt<quint16>(bytes, at + 4), fieldAt<quint16>(bytes, at + 6)};
        const auto width = qint32(fieldAt<quint32>(bytes, at + 4));
        const auto height = qint32(fieldAt<quint32>(bytes, at + 8));
        if (width < 0 || height == INT32_MIN)
            return {};
        return {width, qAbs(height)};
    }
    case Picture::Kind::Gif:
        return gifCanvasSize(bytes);
    case Picture::Kind::Jpeg:
        return jpegFrameSize(bytes);
    case Picture::Kind::Icon:
    case Picture::Kind::Metafile:
    case Picture::Kind::Empty:
        break;
    }
    return {};
}

void setDecodingLimits()
{
    static std::once_flag limitSet;
    std::call_once(limitSet, [] { QImageReader::setAllocationLimit(int(MaxDecodedBytes >> 20) + 1); });
}

PicturePtr decodeRaster(const QByteArray &bytes, QSize fitWithin, const std::atomic_bool *stop)
{
    if (bytes.isEmpty())
        raise(errc::InvalidPicture, QStringLiteral("файл пуст"));
    const Picture::Kind kind = detectRasterKind(bytes);
    if (kind == Picture::Kind::Empty)
        raise(errc::InvalidPicture, QStringLiteral("формат файла не распознан"));

    setDecodingLimits();

    refuseIfTooLarge(declaredSize(kind, bytes), bytes.size());
    QImage image;
    if (kind == Picture::Kind::Bitmap)
        image = readBitmap(bytes);
    else if (kind == Picture::Kind::Icon)
        image = readIcon(bytes);
    else if (kind == Picture::Kind::Jpeg)
        image = decodeJpeg(bytes, fitWithin, stop);
    else
        image = readGif(bytes);
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        raise(errc::InvalidPicture, QStringLiteral("файл повреждён или не поддерживается"));
    return std::make_shared<const Picture>(kind, std::move(image), bytes);
}

} // namespace platform
