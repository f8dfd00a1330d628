// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "platform/files/FileIdentity.h"
#include "platform/pictures/Picture.h"
#include "platform/system/Error.h"
#include "platform/system/Workers.h"

class QObject;

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

// A window's load in the background: the work runs on one of the shared
// workers, and its outcome arrives on the window's thread as an event of
// its own. One load at a time: starting another drops the one before, and
// a dropped load's outcome never arrives, however late it comes back.
class BackgroundLoad
{
public:
    using Work = std::function<LoadOutcome(const std::atomic_bool &cancelled)>;
    using Arrived = std::function<void(LoadOutcome)>;

    // Outcomes arrive on `receiver`'s thread, and never after the receiver
    // or this is gone.
    BackgroundLoad(Workers &workers, QObject *receiver);
    ~BackgroundLoad();
    BackgroundLoad(const BackgroundLoad &) = delete;
    BackgroundLoad &operator=(const BackgroundLoad &) = delete;

    // Starts `work` for `path`; `arrived` gets its outcome. When no worker
    // can be had, the outcome is the failure a failed read of `path` gives.
    // `alsoCancel` runs when the load is dropped, for work it waits on.
    void start(const QString &path, Work work, Arrived arrived, std::function<void()> alsoCancel = {});
    void drop();
    // Started, and neither arrived nor dropped yet.
    bool pending() const { return bool(task_); }

    struct Mailbox;

private:
    Workers &workers_;
    std::shared_ptr<Mailbox> mailbox_;
    std::shared_ptr<Workers::Task> task_;
    std::function<void()> alsoCancel_;
    quint64 serial_ = 0;
};

} // namespace platform
