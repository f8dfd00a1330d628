// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/FilePictureLoader.h"

#include "platform/pictures/MetafileLoading.h"
#include "platform/pictures/PictureFile.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/Error.h"

namespace platform {

PicturePtr decodePicture(const QByteArray &bytes, const QString &metafileHelper, QSize fitWithin)
{
    if (const MetafileType type = detectMetafile(bytes); type != MetafileType::None)
        return loadMetafile(bytes, type, metafileHelper);
    return decodeRaster(bytes, fitWithin);
}

FilePictureLoader::FilePictureLoader(QString metafileHelper)
    : metafileHelper_(std::move(metafileHelper))
{
}

PicturePtr FilePictureLoader::load(const QString &path, QSize fitWithin)
{
    if (path.isEmpty())
        return emptyPicture();
    const QByteArray bytes = readPictureFile(path);
    try {
        return decodePicture(bytes, metafileHelper_, fitWithin);
    } catch (Error &error) {
        // Name the file, so the message says which picture failed.
        error.description += QStringLiteral("\n") + path;
        throw;
    } catch (const std::bad_alloc &) {
        raise(errc::OutOfMemory, path);
    }
}

} // namespace platform
