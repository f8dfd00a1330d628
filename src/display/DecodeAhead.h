// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include <atomic>
#include <memory>

#include "platform/pictures/Picture.h"

namespace display {

// Decodes the picture that the next step will most likely show, in the
// background, while the user looks at the current one. A step takes the
// result only if the file is still the very same one; anything else (a
// replaced or deleted file, another path, a failed decode) is simply not
// used, and the step reads the file as always.
//
// Each decode runs on a thread of its own, so a new one never queues behind
// decodes that were dropped, and nothing ever waits for a dropped one: not
// a step, not the program's exit.
class DecodeAhead
{
public:
    // Decoded pixels of all decodes still running or not yet taken,
    // dropped ones included, stay within this; a picture that would go
    // beyond is not decoded ahead.
    explicit DecodeAhead(qint64 budgetBytes = qint64(256) << 20);
    // Drops the request; waits for nothing.
    ~DecodeAhead();

    // Starts decoding `path` (reduced to no less than `fitWithin`, as the
    // picture loader does), dropping any earlier request. For a fitted view
    // of `fittedView` pixels the reduced copy it draws from is made here
    // too, so the step only swaps pictures.
    void start(const QString &path, QSize fitWithin = {}, QSize fittedView = {});
    // The picture decoded for `path` and `fitWithin` when the file is
    // unchanged since; waits for its decode if still running, never for
    // another. Nothing otherwise. Either way the request is used up.
    platform::PicturePtr take(const QString &path, QSize fitWithin = {});
    // Waits until the decode of the current request, if any, has finished.
    void wait();

    struct Job;

private:
    qint64 budget_;
    std::shared_ptr<std::atomic<qint64>> inFlight_ = std::make_shared<std::atomic<qint64>>(0);
    std::shared_ptr<Job> job_;
};

} // namespace display
