// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/Workers.h"

#include <condition_variable>
#include <deque>
#include <list>
#include <mutex>
#include <thread>

#include <malloc.h>

namespace platform {

using Clock = std::chrono::steady_clock;

namespace {

struct Queued
{
    std::shared_ptr<Workers::Task> task;
    std::function<void(const Workers::Task &)> work;
    std::function<void()> refused;
};

// One worker thread, as the keeper sees it.
struct Slot
{
    std::shared_ptr<Workers::Task> task; // the one it runs, if any
    bool givenUp = false;
};

} // namespace

// What the workers, the keeper and the owner share; it lives until the last
// of them lets go, so a worker stuck past the owner's end finds it still.
struct Workers::Shared
{
    explicit Shared(Limits l) : limits(l) {}

    const Limits limits;
    std::mutex mutex;
    std::condition_variable workQueued;
    std::condition_variable keeperWake;
    std::deque<Queued> queue;
    std::list<std::shared_ptr<Slot>> counted; // workers not given up on
    int starting = 0; // started, not yet waiting for work
    int idle = 0;
    int givenUp = 0;
    bool closing = false;
};

namespace {

void runWorker(const std::shared_ptr<Workers::Shared> &s, const std::shared_ptr<Slot> &slot)
{
    std::unique_lock lock(s->mutex);
    --s->starting;
    for (;;) {
        ++s->idle;
        s->workQueued.wait(lock, [&] { return s->closing || !s->queue.empty(); });
        --s->idle;
        if (s->closing)
            return;
        Queued next = std::move(s->queue.front());
        s->queue.pop_front();
        if (next.task->cancelled())
            continue; // dropped before it began
        slot->task = next.task;
        lock.unlock();
        try {
            next.work(*next.task);
        } catch (...) {
            // A task hands on its own failures; one that escapes has no one
            // left to tell.
        }
        next = {}; // what the work held goes now, not with the next task
        lock.lock();
        slot->task.reset();
        if (slot->givenUp) {
            --s->givenUp;
            return; // its replacement took its place long ago
        }
    }
}

void startWorker(const std::shared_ptr<Workers::Shared> &s)
{
    auto slot = std::make_shared<Slot>();
    std::thread(runWorker, s, slot).detach();
    ++s->starting;
    s->counted.push_back(std::move(slot));
}

// The counted worker whose task was cancelled longest ago, if any.
std::shared_ptr<Slot> longestCancelled(const Workers::Shared &s, Clock::time_point &since)
{
    std::shared_ptr<Slot> found;
    for (const auto &slot : s.counted) {
        if (!slot->task || !slot->task->cancelled())
            continue;
        const Clock::time_point at{Clock::duration(slot->task->cancelledAt())};
        if (!found || at < since) {
            found = slot;
            since = at;
        }
    }
    return found;
}

void refuseQueued(Workers::Shared &s, std::unique_lock<std::mutex> &lock)
{
    std::deque<Queued> refused = std::move(s.queue);
    s.queue.clear();
    lock.unlock();
    for (Queued &q : refused) {
        if (q.refused && !q.task->cancelled())
            q.refused();
    }
    refused.clear();
    lock.lock();
}

// Watches for work that waits while every worker is stuck in a cancelled
// task: gives the longest stuck one up and starts another in its place,
// or refuses the work once too many were given up.
void runKeeper(const std::shared_ptr<Workers::Shared> &s)
{
    std::unique_lock lock(s->mutex);
    while (!s->closing) {
        std::erase_if(s->queue, [](const Queued &q) { return q.task->cancelled(); });
        Clock::time_point since;
        // A worker that is free, or about to be, takes the work.
        const bool served = s->queue.size() <= std::size_t(s->idle + s->starting);
        const std::shared_ptr<Slot> stuck = served ? nullptr : longestCancelled(*s, since);
        if (!stuck) {
            s->keeperWake.wait(lock);
        } else if (Clock::now() < since + s->limits.stuckAfter) {
            s->keeperWake.wait_until(lock, since + s->limits.stuckAfter);
        } else if (s->givenUp < s->limits.givenUp) {
            stuck->givenUp = true;
            s->counted.remove(stuck);
            ++s->givenUp;
            try {
                startWorker(s);
            } catch (const std::system_error &) {
                refuseQueued(*s, lock); // no thread to be had
            }
        } else {
            refuseQueued(*s, lock);
        }
    }
}

} // namespace

void Workers::Task::cancel()
{
    if (cancelled_)
        return;
    // The time first: the keeper reads it once it sees the flag.
    cancelledAt_ = Clock::now().time_since_epoch().count();
    cancelled_ = true;
    if (const std::shared_ptr<Shared> s = workers_.lock()) {
        const std::lock_guard lock(s->mutex);
        s->keeperWake.notify_one();
    }
}

Workers::Workers(Limits limits) : shared_(std::make_shared<Shared>(limits))
{
    // A file read or a picture decoded on a worker comes from that thread's
    // own malloc arena once glibc's moving threshold has grown past its
    // size, and stays resident there after it is freed: a second copy of a
    // large file, on the other worker. A fixed threshold sends every large
    // buffer straight to the system and back.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    const std::lock_guard lock(shared_->mutex);
    for (int i = 0; i < limits.workers; ++i)
        startWorker(shared_);
    std::thread(runKeeper, shared_).detach();
}

Workers::~Workers()
{
    const std::lock_guard lock(shared_->mutex);
    shared_->closing = true;
    shared_->queue.clear();
    shared_->workQueued.notify_all();
    shared_->keeperWake.notify_all();
}

std::shared_ptr<Workers::Task> Workers::submit(std::function<void(const Task &)> work,
                                               std::function<void()> refused)
{
    auto task = std::make_shared<Task>();
    task->workers_ = shared_;
    const std::lock_guard lock(shared_->mutex);
    shared_->queue.push_back({task, std::move(work), std::move(refused)});
    shared_->workQueued.notify_one();
    shared_->keeperWake.notify_one();
    return task;
}

int Workers::givenUp() const
{
    const std::lock_guard lock(shared_->mutex);
    return shared_->givenUp;
}

} // namespace platform
