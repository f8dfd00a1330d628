// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include <atomic>

#include "platform/pictures/Picture.h"
#include "platform/pictures/PictureReads.h"

namespace platform {

// The platform's picture loader: a path in, a picture out. The empty path
// gives the empty picture; every failure is thrown as an Error.
class PictureLoader
{
public:
    virtual ~PictureLoader() = default;

    // The picture at its own size.
    PicturePtr load(const QString &path) { return load(path, {}, nullptr); }
    // A picture that will only ever be shown stretched into at most
    // `fitWithin` pixels may come reduced, to no less than that in either
    // direction (a JPEG decodes at a fraction of its size for little more
    // than the price of reading it). An empty `fitWithin` asks for the
    // picture at its own size.
    PicturePtr load(const QString &path, QSize fitWithin) { return load(path, fitWithin, nullptr); }
    // The same on a worker: once `cancelled` is set the decode stops
    // between rows, and whatever comes back is not to be used. A load may
    // still be stuck in a read when the loader goes, so it keeps nothing of
    // the loader's past its start.
    virtual PicturePtr load(const QString &path, QSize fitWithin, const std::atomic_bool *cancelled) = 0;

    // The reads this loader makes; decoding ahead reads through them too.
    virtual PictureReads reads() const { return {}; }
};

} // namespace platform
