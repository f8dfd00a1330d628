// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/EmbeddedImage.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/BitmapHeader.h"
#include "platform/PictureLimits.h"

namespace platform {

QImage readEmbeddedImage(const QByteArray &bytes, qint64 at, const char *format)
{
    if (at < 0 || at >= bytes.size())
        refuseBitmap();
    // The file's own bytes, not a copy of them.
    QByteArray embedded = QByteArray::fromRawData(bytes.constData() + at, bytes.size() - at);
    QBuffer buffer(&embedded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    refuseIfTooLarge(reader.size(), bytes.size());
    QImage image;
    if (!reader.read(&image) || image.isNull())
        refuseBitmap();
    return image;
}

} // namespace platform
