// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMetaObject>
#include <QObject>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/system/Workers.h"

namespace platform {

// A window's one piece of work of a kind in the background (a picture being
// read, a folder being listed): it runs on one of the shared workers, and
// its result arrives on the window's thread as an event of its own. Starting
// another drops the one before, and a dropped task's result never arrives,
// however late it comes back. Its receiver owns it.
//
// A window that must keep its order of events when the disk answers
// promptly can wait a little for the result: waitFor() hands it over inside
// the call when it comes in time, and otherwise lets it arrive later.
template<typename T>
class BackgroundTask
{
public:
    using Work = std::function<T(const std::atomic_bool &cancelled)>;
    using Arrived = std::function<void(T)>;

    // Results arrive on `receiver`'s thread, and never after the receiver or
    // this is gone.
    BackgroundTask(Workers &workers, QObject *receiver) : workers_(workers), mailbox_(std::make_shared<Mailbox>())
    {
        mailbox_->receiver = receiver;
    }
    ~BackgroundTask()
    {
        drop();
        const std::lock_guard lock(mailbox_->mutex);
        mailbox_->receiver = nullptr;
    }
    BackgroundTask(const BackgroundTask &) = delete;
    BackgroundTask &operator=(const BackgroundTask &) = delete;

    // Starts `work`; `arrived` gets its result. When no worker can be had,
    // the result is what `refused` makes. `alsoCancel` runs when the task
    // is dropped, for work it waits on.
    void start(Work work, Arrived arrived, std::function<T()> refused, std::function<void()> alsoCancel = {})
    {
        drop();
        const quint64 serial = ++serial_;
        {
            const std::lock_guard lock(mailbox_->mutex);
            mailbox_->wanted = serial;
            mailbox_->result.reset();
        }
        arrived_ = std::move(arrived);
        alsoCancel_ = std::move(alsoCancel);
        auto post = [mailbox = mailbox_, serial, this](T result) {
            const std::lock_guard lock(mailbox->mutex);
            if (!mailbox->receiver || mailbox->wanted != serial)
                return;
            mailbox->result = std::move(result);
            mailbox->came.notify_all();
            // Runs on the receiver's thread, where drop() and waitFor() run
            // too: by then the result may have been taken or dropped.
            QMetaObject::invokeMethod(
                mailbox->receiver, [this, serial] { collect(serial); }, Qt::QueuedConnection);
        };
        task_ = workers_.submit(
            [post, work = std::move(work)](const Workers::Task &task) {
                T result = work(task.flag());
                if (!task.cancelled())
                    post(std::move(result));
            },
            [post, refused = std::move(refused)] { post(refused()); });
    }

    // Waits at most `limit` for the running task's result and hands it to
    // its receiver inside this call; false when it did not come in time.
    bool waitFor(std::chrono::milliseconds limit)
    {
        if (!task_)
            return false;
        {
            std::unique_lock lock(mailbox_->mutex);
            if (!mailbox_->came.wait_for(lock, limit, [&] { return mailbox_->result.has_value(); }))
                return false;
        }
        collect(serial_);
        return true;
    }

    void drop()
    {
        if (!task_)
            return;
        {
            const std::lock_guard lock(mailbox_->mutex);
            mailbox_->wanted = 0;
            mailbox_->result.reset();
        }
        task_->cancel();
        task_.reset();
        arrived_ = nullptr;
        if (alsoCancel_)
            alsoCancel_();
        alsoCancel_ = nullptr;
    }

    // Started, and neither arrived nor dropped yet.
    bool pending() const { return bool(task_); }

private:
    // Where workers post results: the receiver as long as it is there, and
    // the serial of the one task whose result is still wanted.
    struct Mailbox
    {
        std::mutex mutex;
        std::condition_variable came;
        QObject *receiver = nullptr;
        quint64 wanted = 0;
        std::optional<T> result;
    };

    void collect(quint64 serial)
    {
        if (serial != serial_ || !task_)
            return;
        std::optional<T> result;
        {
            const std::lock_guard lock(mailbox_->mutex);
            result.swap(mailbox_->result);
        }
        if (!result)
            return;
        task_.reset();
        alsoCancel_ = nullptr;
        const Arrived arrived = std::move(arrived_);
        arrived_ = nullptr;
        arrived(std::move(*result));
    }

    Workers &workers_;
    std::shared_ptr<Mailbox> mailbox_;
    std::shared_ptr<Workers::Task> task_;
    Arrived arrived_;
    std::function<void()> alsoCancel_;
    quint64 serial_ = 0;
};

} // namespace platform
