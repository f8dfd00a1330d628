// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/PictureLimits.h"

#include <QString>

#include <algorithm>

#include "platform/system/Error.h"

namespace platform {

namespace {

// Pixels a file may promise per byte of itself. Real pictures, even of one
// flat colour, stay well below it; a few bytes claiming a giant picture are
// a decompression bomb.
constexpr qint64 MaxExpansion = 16384;

// Pixel bytes per file byte up to which a file is taken to fill the
// picture it declares: photos stay near ten, flat drawings may reach a
// hundred.
constexpr qint64 PlausibleExpansion = 128;

} // namespace

namespace {

// In floating point: two 31-bit sides overflow any integer product.
double pixelBytes(QSize size)
{
    return double(size.width()) * double(size.height()) * 4.0;
}

bool beyondMemory(QSize size)
{
    return pixelBytes(size) > double(MaxDecodedBytes);
}

bool bomb(QSize size, qint64 fileBytes)
{
    const double bytes = pixelBytes(size);
    return bytes > double(qint64(64) << 20) && bytes / double(std::max<qint64>(fileBytes, 1)) > MaxExpansion;
}

} // namespace

void refuseIfTooLarge(QSize size, qint64 fileBytes)
{
    if (!size.isValid())
        return;
    const QString dimensions = QStringLiteral("%1 × %2").arg(size.width()).arg(size.height());
    if (beyondMemory(size))
        raise(errc::OutOfMemory, QStringLiteral("рисунок %1 точек слишком велик").arg(dimensions));
    if (bomb(size, fileBytes))
        raise(errc::InvalidPicture,
              QStringLiteral("файл слишком мал для рисунка %1 точек").arg(dimensions));
}

bool withinLimits(QSize size, qint64 fileBytes)
{
    return !size.isValid() || (!beyondMemory(size) && !bomb(size, fileBytes));
}

bool plausiblyFilled(qint64 pixelBytes, qint64 fileBytes)
{
    return double(pixelBytes) <= double(fileBytes) * double(PlausibleExpansion);
}

} // namespace platform
