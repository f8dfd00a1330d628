// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

#include "platform/files/FileIdentity.h"
#include "platform/pictures/Picture.h"
#include "platform/pictures/PictureReads.h"

namespace platform {
class Workers;
} // namespace platform

namespace display {

// Decodes the picture that the next step will most likely show, on one of
// the shared workers, while the user looks at the current one. A step takes
// the result only if the file is still the very same one; anything else (a
// replaced or deleted file, another path, a failed decode) is simply not
// used, and the step reads the file as always.
//
// Nothing ever waits for a dropped decode: not a step, not the program's
// exit. A decode stuck in a read is left to the workers, which give up on
// it.
class DecodeAhead
{
public:
    struct Job;

    // Decoded pixels and file bytes of all decodes still running or not
    // yet taken, dropped ones included, stay within `budgetBytes`; a
    // picture that would go beyond is not decoded ahead.
    explicit DecodeAhead(platform::Workers &workers, platform::PictureReads reads = {},
                         qint64 budgetBytes = qint64(256) << 20);
    // Drops the request; waits for nothing.
    ~DecodeAhead();

    // Starts decoding `path` (reduced to no less than `fitWithin`, as the
    // picture loader does), dropping any earlier request. For a fitted view
    // of `fittedView` pixels the reduced copy it draws from is made here
    // too, so the step only swaps pictures.
    void start(const QString &path, QSize fitWithin = {}, QSize fittedView = {});
    // Hands the request over to a load when it is for `path` and
    // `fitWithin`, still running or done; drops it otherwise. Either way
    // the request is used up. The load then owns the decode: cancelling it
    // is the load's to do.
    std::shared_ptr<Job> adopt(const QString &path, QSize fitWithin = {});
    // The picture a handed-over decode made, when the file is unchanged
    // since and opens now; waits for the decode if still running, and for
    // nothing once it is cancelled. Nothing otherwise. For a worker: it
    // looks at the file. `identity` gets the version it was read from.
    static platform::PicturePtr finish(Job &job, std::optional<platform::FileIdentity> *identity = nullptr);
    // adopt() and finish() in one.
    platform::PicturePtr take(const QString &path, QSize fitWithin = {});
    // Stops a decode at its next row; finish() then gives nothing at once.
    static void cancel(Job &job);
    // Waits until the decode of the current request, if any, has finished.
    void wait();

private:
    platform::Workers &workers_;
    platform::PictureReads reads_;
    qint64 budget_;
    std::shared_ptr<std::atomic<qint64>> inFlight_ = std::make_shared<std::atomic<qint64>>(0);
    std::shared_ptr<Job> job_;
};

} // namespace display
