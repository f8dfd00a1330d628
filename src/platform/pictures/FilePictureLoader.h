// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/pictures/PictureLoader.h"

namespace platform {

// Decodes a picture file's bytes, whatever kind they hold: metafiles through
// the converter `metafileHelper`, everything else as a raster picture.
// A raster picture may come reduced to no less than `fitWithin` (see
// PictureLoader::load), and stops early once `cancelled` is set.
PicturePtr decodePicture(const QByteArray &bytes, const QString &metafileHelper,
                         QSize fitWithin = {}, const std::atomic_bool *cancelled = nullptr);

// Loads pictures from files on disk, deciding the kind from the content.
// Metafiles are converted by the helper program at `metafileHelper`.
class FilePictureLoader final : public PictureLoader
{
public:
    explicit FilePictureLoader(QString metafileHelper, PictureReads reads = {});

    using PictureLoader::load;
    PicturePtr load(const QString &path, QSize fitWithin, const std::atomic_bool *cancelled) override;
    PictureReads reads() const override { return reads_; }

private:
    QString metafileHelper_;
    PictureReads reads_;
};

} // namespace platform
