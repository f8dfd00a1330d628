#include "platform/MetafileLoading.h"

#include <QSvgRenderer>

#include "platform/Error.h"

namespace platform {

PicturePtr loadMetafile(const QByteArray &bytes, MetafileType type, const QString &helper,
                        const ConverterLimits &limits)
{
    // The size is checked first: an absurd one is refused without running
    // the converter.
    std::optional<QSizeF> twips = metafileTwips(bytes, type);
    QByteArray svg = convertMetafile(helper, bytes, type, limits);

    const QSvgRenderer check(svg);
    if (!check.isValid())
        raise(errc::InvalidPicture, QStringLiteral("метафайл не удалось нарисовать"));
    if (!twips) {
        const QSizeF units = check.viewBoxF().size();
        const QSizeF size = units * StandardWmfTwipsPerUnit;
        if (!(size.width() > 0 && size.height() > 0) || size.width() > MaxMetafileTwips
            || size.height() > MaxMetafileTwips)
            raise(errc::InvalidPicture, QStringLiteral("размеры метафайла недопустимы"));
        twips = size;
    }
    return std::make_shared<const Picture>(std::move(svg), *twips, bytes);
}

} // namespace platform
