#pragma once

#include "platform/PictureLoader.h"

namespace platform {

// Decodes a picture file's bytes, whatever kind they hold: metafiles through
// the converter `metafileHelper`, everything else as a raster picture.
PicturePtr decodePicture(const QByteArray &bytes, const QString &metafileHelper);

// Loads pictures from files on disk, deciding the kind from the content.
// Metafiles are converted by the helper program at `metafileHelper`.
class FilePictureLoader final : public PictureLoader
{
public:
    explicit FilePictureLoader(QString metafileHelper);

    PicturePtr load(const QString &path) override;

private:
    QString metafileHelper_;
};

} // namespace platform
