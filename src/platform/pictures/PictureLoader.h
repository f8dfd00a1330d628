// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include "platform/pictures/Picture.h"

namespace platform {

// The platform's picture loader: a path in, a picture out. The empty path
// gives the empty picture; every failure is thrown as an Error.
class PictureLoader
{
public:
    virtual ~PictureLoader() = default;

    // The picture at its own size.
    PicturePtr load(const QString &path) { return load(path, {}); }
    // A picture that will only ever be shown stretched into at most
    // `fitWithin` pixels may come reduced, to no less than that in either
    // direction (a JPEG decodes at a fraction of its size for little more
    // than the price of reading it). An empty `fitWithin` asks for the
    // picture at its own size.
    virtual PicturePtr load(const QString &path, QSize fitWithin) = 0;
};

} // namespace platform
