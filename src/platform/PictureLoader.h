#pragma once

#include <QString>

#include "platform/Picture.h"

namespace platform {

// The platform's picture loader: a path in, a picture out. The empty path
// gives the empty picture; every failure is thrown as an Error.
class PictureLoader
{
public:
    virtual ~PictureLoader() = default;
    virtual PicturePtr load(const QString &path) = 0;
};

} // namespace platform
