// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/FilePictureLoader.h"

#include "platform/pictures/MetafileLoading.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/Error.h"

namespace platform {

PicturePtr decodePicture(const QByteArray &bytes, const QString &metafileHelper, QSize fitWithin,
                         const std::atomic_bool *cancelled)
{
    if (const MetafileType type = detectMetafile(bytes); type != MetafileType::None)
        return loadMetafile(bytes, type, metafileHelper);
    return decodeRaster(bytes, fitWithin, cancelled);
}

FilePictureLoader::FilePictureLoader(QString metafileHelper, PictureReads reads)
    : metafileHelper_(std::move(metafileHelper)), reads_(std::move(reads))
{
}

PicturePtr FilePictureLoader::load(const QString &path, QSize fitWithin, const std::atomic_bool *cancelled)
{
    if (path.isEmpty())
        return emptyPicture();
    // Copies, for a read that returns after the loader is gone.
    const QString helper = metafileHelper_;
    const auto readWhole = reads_.whole;
    const QByteArray bytes = readWhole(path);
    try {
        return decodePicture(bytes, helper, fitWithin, cancelled);
    } catch (Error &error) {
        // Name the file, so the message says which picture failed.
        error.description += QStringLiteral("\n") + path;
        throw;
    } catch (const std::bad_alloc &) {
        raise(errc::OutOfMemory, path);
    }
}

} // namespace platform
