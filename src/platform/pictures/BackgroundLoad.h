// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "platform/files/FileIdentity.h"
#include "platform/pictures/Picture.h"
#include "platform/system/BackgroundTask.h"
#include "platform/system/Error.h"

namespace platform {

// What loading one file on a worker came to.
struct LoadOutcome
{
    PicturePtr picture;
    // The version of the file the picture was read from, taken before
    // reading.
    std::optional<FileIdentity> identity;
    std::optional<Error> failure;
};

// A window's load in the background: one picture read and decoded on one
// of the shared workers at a time, its outcome arriving on the window's
// thread. Owned by its receiver.
class BackgroundLoad
{
public:
    using Work = BackgroundTask<LoadOutcome>::Work;
    using Arrived = BackgroundTask<LoadOutcome>::Arrived;

    BackgroundLoad(Workers &workers, QObject *receiver) : task_(workers, receiver) {}

    // Starts `work` for `path`; `arrived` gets its outcome. When no worker
    // can be had, the outcome is the failure a failed read of `path` gives.
    // `alsoCancel` runs when the load is dropped, for work it waits on.
    void start(const QString &path, Work work, Arrived arrived, std::function<void()> alsoCancel = {});
    void drop() { task_.drop(); }
    // Started, and neither arrived nor dropped yet.
    bool pending() const { return task_.pending(); }

private:
    BackgroundTask<LoadOutcome> task_;
};

} // namespace platform
