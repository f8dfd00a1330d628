#pragma once

#include "platform/PictureLoader.h"

namespace platform {

// Loads pictures from files on disk, deciding the kind from the content.
class FilePictureLoader final : public PictureLoader
{
public:
    PicturePtr load(const QString &path) override;
};

} // namespace platform
