// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace platform {

// A few long-lived threads for work that must not hold up a window: reading
// and decoding pictures. A read on a dead network share or a sleeping disk
// can sit in the kernel for minutes, and nothing can take it out of there,
// so a worker whose task was cancelled and still has not returned after a
// while is given up on and replaced. Only so many may be given up on at a
// time; past that, work that finds no worker is refused, not given more
// threads.
//
// Nothing here ever waits for a worker: not a submit, not a cancel, not the
// destructor. A worker holds no lock of the set's while it runs a task.
class Workers
{
public:
    struct Limits
    {
        int workers = 2;
        int givenUp = 4;
        // A cancelled task stops at its next check, within milliseconds;
        // one still running after this is stuck in the kernel.
        std::chrono::milliseconds stuckAfter{300};
    };

    struct Shared;

    // A task's cancellation, shared by its worker and whoever asked for it.
    class Task
    {
    public:
        // The work stops at its next check; its result is not wanted.
        void cancel();
        bool cancelled() const { return cancelled_; }
        // For code that checks between rows.
        const std::atomic_bool &flag() const { return cancelled_; }
        // When it was cancelled, on the steady clock.
        std::chrono::steady_clock::rep cancelledAt() const { return cancelledAt_; }

    private:
        friend class Workers;
        std::atomic_bool cancelled_ = false;
        std::atomic<std::chrono::steady_clock::rep> cancelledAt_ = 0;
        std::weak_ptr<Shared> workers_;
    };

    Workers() : Workers(Limits{}) {}
    explicit Workers(Limits limits);
    // Idle workers end; busy ones end once their task returns. Queued tasks
    // are dropped without running.
    ~Workers();
    Workers(const Workers &) = delete;
    Workers &operator=(const Workers &) = delete;

    // Queues `work`; a free worker runs it. `refused` runs instead, on some
    // other thread, when no worker can be had: every one is stuck.
    std::shared_ptr<Task> submit(std::function<void(const Task &)> work,
                                 std::function<void()> refused = {});

    // Workers given up on whose task has not returned yet.
    int givenUp() const;

private:
    std::shared_ptr<Shared> shared_;
};

} // namespace platform
