// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/EmbeddedImage.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/pictures/BitmapHeader.h"
#include "platform/pictures/JpegDecoder.h"
#include "platform/pictures/PictureLimits.h"

namespace platform {

QImage readWithQt(const QByteArray &bytes, const char *format)
{
    QByteArray data = bytes; // shares the bytes, no copy
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    refuseIfTooLarge(reader.size(), bytes.size());
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QImage readEmbeddedImage(const QByteArray &bytes, qint64 at, const char *format)
{
    if (at < 0 || at >= bytes.size())
        refuseBitmap();
    // The file's own bytes, not a copy of them.
    const QByteArray embedded = QByteArray::fromRawData(bytes.constData() + at, bytes.size() - at);
    const QImage image = qstrcmp(format, "jpeg") == 0 ? decodeJpeg(embedded) : readWithQt(embedded, format);
    if (image.isNull())
        refuseBitmap();
    return image;
}

} // namespace platform
