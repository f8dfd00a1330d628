// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/MetafileLoading.h"

#include "platform/system/Error.h"

namespace platform {

PicturePtr loadMetafile(const QByteArray &bytes, MetafileType type, const QString &helper,
                        const ConverterLimits &limits)
{
    // The size is checked first: an absurd one is refused without running
    // the converter.
    const std::optional<QSizeF> twips = metafileTwips(bytes, type);
    auto picture = std::make_shared<const Picture>(convertMetafile(helper, bytes, type, limits),
                                                   twips, StandardWmfTwipsPerUnit, bytes);
    if (!picture->hasDrawing())
        raise(errc::InvalidPicture, QStringLiteral("метафайл не удалось нарисовать"));
    const QSizeF size = picture->twipsSize();
    if (!(size.width() > 0 && size.height() > 0) || size.width() > MaxMetafileTwips
        || size.height() > MaxMetafileTwips)
        raise(errc::InvalidPicture, QStringLiteral("размеры метафайла недопустимы"));
    return picture;
}

} // namespace platform
