// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BlankImage.h"

#include <cstdlib>

#include "platform/pictures/PictureLimits.h"
#include "platform/pictures/Prefault.h"
#include "platform/system/Error.h"

namespace platform {

namespace {

void release(void *pixels)
{
    std::free(pixels);
}

} // namespace

QImage blankImage(QSize size, QImage::Format format, qint64 fileBytes)
{
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype bytesPerLine = (qsizetype(size.width()) * depth + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * size.height();
    // calloc rather than a QImage of its own: large blocks come straight
    // from the kernel, already zero and not yet backed by memory.
    if (size.isEmpty())
        raise(errc::InvalidPicture, QStringLiteral("рисунок без точек"));
    void *pixels = std::calloc(std::size_t(bytes), 1);
    if (pixels == nullptr)
        raise(errc::OutOfMemory,
              QStringLiteral("рисунок %1 × %2 точек").arg(size.width()).arg(size.height()));
    if (plausiblyFilled(bytes, fileBytes))
        prefault(pixels, std::size_t(bytes));
    return QImage(static_cast<uchar *>(pixels), size.width(), size.height(), bytesPerLine, format,
                  release, pixels);
}

} // namespace platform
