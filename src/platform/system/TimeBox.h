// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/system/Workers.h"

namespace platform {

// How long a window waits for a check of a file before it takes the disk
// for one that does not answer.
inline constexpr std::chrono::milliseconds CheckTimeBox{1000};
// How long a window waits for a folder's listing, or the mount table,
// before it shows the list as still being read and lets it arrive later.
// Long enough for any local disk, short enough not to be felt.
inline constexpr std::chrono::milliseconds ListingTimeBox{150};

// Runs `check` on one of the workers and waits at most `limit` for its
// answer: nothing when none came in time, as from a disk that does not
// answer. The check then goes on, or stays stuck, on its own.
template<typename T>
std::optional<T> timeBoxed(Workers &workers, std::chrono::milliseconds limit, std::function<T()> check)
{
    struct Answer
    {
        std::mutex mutex;
        std::condition_variable came;
        std::optional<T> value;
    };
    const auto answer = std::make_shared<Answer>();
    const auto task = workers.submit([answer, check = std::move(check)](const Workers::Task &) {
        T value = check();
        const std::lock_guard lock(answer->mutex);
        answer->value = std::move(value);
        answer->came.notify_all();
    });
    std::unique_lock lock(answer->mutex);
    if (!answer->came.wait_for(lock, limit, [&] { return answer->value.has_value(); })) {
        task->cancel();
        return std::nullopt;
    }
    return answer->value;
}

} // namespace platform
