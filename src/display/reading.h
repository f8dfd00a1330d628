// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include <atomic>
#include <memory>

#include "display/DecodeAhead.h"
#include "platform/pictures/BackgroundLoad.h"
#include "platform/pictures/PictureLoader.h"

namespace display {

// The current file's picture, on a worker: the decode handed over by
// decoding ahead when it is still good, else the file read now. Failures
// come back in the outcome; once `cancelled` is set nothing that comes
// back is used.
platform::LoadOutcome readPicture(platform::PictureLoader &loader, const QString &path, QSize fitWithin,
                                  const std::shared_ptr<DecodeAhead::Job> &ahead,
                                  const std::atomic_bool &cancelled);

} // namespace display
