#include "platform/RasterDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include "platform/Error.h"

namespace platform {

namespace {

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// A DIB is a bitmap without its file header, as the clipboard stores it: it
// starts with the size of one of the known info headers.
bool isHeaderlessDib(const QByteArray &bytes)
{
    if (bytes.size() < 16)
        return false;
    switch (le32(bytes, 0)) {
    case 12: case 40: case 52: case 56: case 64: case 108: case 124:
        break;
    default:
        return false;
    }
    const quint16 planes = le16(bytes, bytes.at(0) == 12 ? 8 : 12);
    return planes == 1;
}

bool isIconDirectory(const QByteArray &bytes, quint16 type)
{
    return bytes.size() >= 6 && le16(bytes, 0) == 0 && le16(bytes, 2) == type
        && le16(bytes, 4) > 0;
}

// A JPEG whose entropy-coded data stops before the end-of-image marker is
// cut off; the decoder would silently fill the rest with grey.
bool isTruncatedJpeg(const QByteArray &bytes)
{
    qsizetype at = 2;
    while (at + 4 <= bytes.size()) {
        if (static_cast<uchar>(bytes.at(at)) != 0xFF)
            return false; // malformed; let the decoder report it
        const uchar marker = static_cast<uchar>(bytes.at(at + 1));
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA)
            return bytes.indexOf("\xFF\xD9", at + 2) < 0;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        at += 2 + qFromBigEndian<quint16>(bytes.constData() + at + 2);
    }
    return true;
}

// The size the file's header declares, read before any decoding so a
// picture too large for memory is refused before anything is allocated.
// An invalid size means the header did not say (or could not be read).
QSize declaredSizeOf(Picture::Kind kind, const QByteArray &bytes)
{
    switch (kind) {
    case Picture::Kind::Bitmap: {
        const qsizetype at = bytes.startsWith("BM") ? 14 : 0;
        if (bytes.size() < at + 12)
            return {};
        if (le32(bytes, at) == 12)
            return {le16(bytes, at + 4), le16(bytes, at + 6)};
        const auto width = qint32(le32(bytes, at + 4));
        const auto height = qint32(le32(bytes, at + 8));
        if (width < 0 || height == INT32_MIN)
            return {};
        return {width, qAbs(height)};
    }
    case Picture::Kind::Gif:
        if (bytes.size() < 10)
            return {};
        return {le16(bytes, 6), le16(bytes, 8)};
    case Picture::Kind::Jpeg: {
        qsizetype at = 2;
        while (at + 9 <= bytes.size() && static_cast<uchar>(bytes.at(at)) == 0xFF) {
            const uchar marker = static_cast<uchar>(bytes.at(at + 1));
            const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4
                && marker != 0xC8 && marker != 0xCC;
            if (frame)
                return {qFromBigEndian<quint16>(bytes.constData() + at + 7),
                        qFromBigEndian<quint16>(bytes.constData() + at + 5)};
            if (marker == 0xDA)
                break;
            at += 2 + qFromBigEndian<quint16>(bytes.constData() + at + 2);
        }
        return {};
    }
    case Picture::Kind::Icon:
    case Picture::Kind::Metafile:
    case Picture::Kind::Empty:
        break;
    }
    return {};
}

const char *qtFormat(Picture::Kind kind, const QByteArray &bytes)
{
    switch (kind) {
    case Picture::Kind::Bitmap: return bytes.startsWith("BM") ? "bmp" : "dib";
    case Picture::Kind::Icon: return isIconDirectory(bytes, 2) ? "cur" : "ico";
    case Picture::Kind::Jpeg: return "jpeg";
    case Picture::Kind::Gif: return "gif";
    case Picture::Kind::Metafile:
    case Picture::Kind::Empty: break;
    }
    return "";
}

void refuseIfTooLarge(QSize size)
{
    if (!size.isValid())
        return;
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes > MaxDecodedBytes)
        raise(errc::OutOfMemory, QStringLiteral("рисунок %1 × %2 точек слишком велик")
                                     .arg(size.width())
                                     .arg(size.height()));
}

// An icon file holds several images; show the largest, the deepest of
// equal size.
QImage readBestIcon(QImageReader &reader)
{
    QImage best;
    const int count = qMin(reader.imageCount(), 256);
    for (int i = 0; i < qMax(count, 1); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        refuseIfTooLarge(reader.size());
        QImage image;
        if (!reader.read(&image))
            continue;
        const qint64 area = qint64(image.width()) * image.height();
        const qint64 bestArea = qint64(best.width()) * best.height();
        if (best.isNull() || area > bestArea
            || (area == bestArea && image.depth() > best.depth()))
            best = std::move(image);
    }
    return best;
}

} // namespace

Picture::Kind detectRasterKind(const QByteArray &bytes)
{
    if (bytes.startsWith("BM") || isHeaderlessDib(bytes))
        return Picture::Kind::Bitmap;
    if (isIconDirectory(bytes, 1) || isIconDirectory(bytes, 2))
        return Picture::Kind::Icon;
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return Picture::Kind::Jpeg;
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return Picture::Kind::Gif;
    return Picture::Kind::Empty;
}

QSize declaredSize(Picture::Kind kind, const QByteArray &bytes)
{
    return declaredSizeOf(kind, bytes);
}

PicturePtr decodeRaster(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        raise(errc::InvalidPicture, QStringLiteral("файл пуст"));
    const Picture::Kind kind = detectRasterKind(bytes);
    if (kind == Picture::Kind::Empty)
        raise(errc::InvalidPicture, QStringLiteral("формат файла не распознан"));
    if (kind == Picture::Kind::Jpeg && isTruncatedJpeg(bytes))
        raise(errc::InvalidPicture, QStringLiteral("файл JPEG обрезан"));

    // Qt's own ceiling would refuse a 100-megapixel photo; ours is checked
    // against the declared size before decoding.
    QImageReader::setAllocationLimit(int(MaxDecodedBytes >> 20) + 1);

    QByteArray data = bytes; // shares the buffer, no copy
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, qtFormat(kind, bytes));
    reader.setAutoTransform(true);

    refuseIfTooLarge(declaredSizeOf(kind, bytes));

    QImage image;
    if (kind == Picture::Kind::Icon) {
        image = readBestIcon(reader);
    } else {
        refuseIfTooLarge(reader.size());
        reader.read(&image);
    }
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        raise(errc::InvalidPicture, QStringLiteral("файл повреждён или не поддерживается"));
    return std::make_shared<const Picture>(kind, std::move(image), bytes);
}

} // namespace platform
