// SPDX-License-Identifier: GPL-2.0-or-later
#include "display/reading.h"

#include "platform/files/FileIdentity.h"
#include "platform/system/Error.h"

namespace display {

platform::LoadOutcome readPicture(platform::PictureLoader &loader, const QString &path, QSize fitWithin,
                                  const std::shared_ptr<DecodeAhead::Job> &ahead,
                                  const std::atomic_bool &cancelled)
{
    platform::LoadOutcome outcome;
    if (ahead) {
        outcome.picture = DecodeAhead::finish(*ahead, &outcome.identity);
        if (outcome.picture || cancelled)
            return outcome;
    }
    // Taken before reading: Delete and Save act on this version only.
    outcome.identity = platform::fileIdentity(path);
    try {
        outcome.picture = loader.load(path, fitWithin, &cancelled);
    } catch (...) {
        outcome.failure = platform::currentError();
    }
    return outcome;
}

} // namespace display
