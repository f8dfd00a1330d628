// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/pictures/PictureLoader.h"

namespace platform {

// Decodes a picture file's bytes, whatever kind they hold: metafiles through
// the converter `metafileHelper`, everything else as a raster picture.
// A raster picture may come reduced to no less than `fitWithin` (see
// PictureLoader::load).
PicturePtr decodePicture(const QByteArray &bytes, const QString &metafileHelper,
                         QSize fitWithin = {});

// Loads pictures from files on disk, deciding the kind from the content.
// Metafiles are converted by the helper program at `metafileHelper`.
class FilePictureLoader final : public PictureLoader
{
public:
    explicit FilePictureLoader(QString metafileHelper);

    using PictureLoader::load;
    PicturePtr load(const QString &path, QSize fitWithin) override;

private:
    QString metafileHelper_;
};

} // namespace platform
