#pragma once

#include "platform/PictureLoader.h"

namespace platform {

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
