// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/system/TimeBox.h"
#include "platform/system/Workers.h"

namespace {

// Tasks that stay in it until the test opens it: reads stuck in the kernel.
struct Gate
{
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    int entered = 0, ran = 0, refused = 0;

    void enter()
    {
        std::unique_lock lock(mutex);
        ++entered;
        changed.notify_all();
        changed.wait(lock, [&] { return open; });
    }
    void openUp()
    {
        const std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    void count(int Gate::*what)
    {
        const std::lock_guard lock(mutex);
        ++(this->*what);
        changed.notify_all();
    }
    // Waits up to 5 s for `done`.
    bool until(const std::function<bool()> &done)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), done);
    }
};

} // namespace

TEST(Workers, AWorkerStuckInACancelledTaskIsReplacedUntilTooManyAreThenWorkIsRefused)
{
    platform::Workers workers({.workers = 1, .givenUp = 1, .stuckAfter = std::chrono::milliseconds(50)});
    // Shared with the tasks, and opened however the test ends.
    const auto shared = std::make_shared<Gate>();
    const struct Opener { std::shared_ptr<Gate> gate; ~Opener() { gate->openUp(); } } opener{shared};
    Gate &gate = *shared;
    const auto stuck = [&] { return workers.submit([shared](const auto &) { shared->enter(); }); };
    const auto quick = [&] {
        workers.submit([shared](const auto &) { shared->count(&Gate::ran); },
                       [shared] { shared->count(&Gate::refused); });
    };

    auto first = stuck();
    ASSERT_TRUE(gate.until([&] { return gate.entered == 1; }));
    first->cancel();
    auto second = stuck(); // the only worker is stuck: another takes its place
    ASSERT_TRUE(gate.until([&] { return gate.entered == 2; }));
    EXPECT_EQ(workers.givenUp(), 1);

    second->cancel();
    quick(); // stuck again, and one already given up: refused, not run
    ASSERT_TRUE(gate.until([&] { return gate.refused == 1; }));
    EXPECT_EQ(gate.ran, 0);

    // The stuck ones come back: the one given up ends, the other works on.
    gate.openUp();
    QDeadlineTimer deadline(5000);
    while (workers.givenUp() != 0 && !deadline.hasExpired())
        std::this_thread::yield();
    EXPECT_EQ(workers.givenUp(), 0);
    quick();
    EXPECT_TRUE(gate.until([&] { return gate.ran == 1; }));
}

TEST(TimeBox, GivesTheAnswerOrNothingOnceTheTimeIsUp)
{
    platform::Workers workers;
    const auto gate = std::make_shared<Gate>();
    const struct Opener { std::shared_ptr<Gate> gate; ~Opener() { gate->openUp(); } } opener{gate};
    const struct { const char *name; std::function<int()> check; std::optional<int> answer; } cases[] = {
        {"answers", [] { return 7; }, 7},
        {"stalled", [gate] { gate->enter(); return 7; }, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::timeBoxed<int>(workers, std::chrono::milliseconds(100), c.check), c.answer) << c.name;
}
