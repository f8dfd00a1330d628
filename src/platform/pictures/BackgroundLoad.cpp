// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BackgroundLoad.h"

#include <QMetaObject>
#include <QObject>

#include <mutex>

namespace platform {

// Where workers post outcomes: the receiver as long as it is there, and
// the serial of the one load whose outcome is still wanted.
struct BackgroundLoad::Mailbox
{
    std::mutex mutex;
    QObject *receiver = nullptr;
    quint64 wanted = 0;
};

namespace {

LoadOutcome refusedRead(const QString &path)
{
    LoadOutcome outcome;
    try {
        raise(errc::PathFileAccess, path);
    } catch (...) {
        outcome.failure = currentError();
    }
    return outcome;
}

} // namespace

BackgroundLoad::BackgroundLoad(Workers &workers, QObject *receiver)
    : workers_(workers), mailbox_(std::make_shared<Mailbox>())
{
    mailbox_->receiver = receiver;
}

BackgroundLoad::~BackgroundLoad()
{
    drop();
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->receiver = nullptr;
}

void BackgroundLoad::start(const QString &path, Work work, Arrived arrived, std::function<void()> alsoCancel)
{
    drop();
    const quint64 serial = ++serial_;
    {
        const std::lock_guard lock(mailbox_->mutex);
        mailbox_->wanted = serial;
    }
    // Runs on the receiver's thread, where drop() runs too: a load dropped
    // after its outcome was posted is recognised by its serial.
    auto hand = [this, serial, arrived = std::move(arrived)](LoadOutcome outcome) {
        if (serial != serial_ || !task_)
            return;
        task_.reset();
        alsoCancel_ = nullptr;
        arrived(std::move(outcome));
    };
    // On a worker: posts the outcome unless it is no longer wanted.
    auto post = [mailbox = mailbox_, serial, hand = std::move(hand)](LoadOutcome outcome) {
        const std::lock_guard lock(mailbox->mutex);
        if (!mailbox->receiver || mailbox->wanted != serial)
            return;
        QMetaObject::invokeMethod(
            mailbox->receiver, [hand, outcome = std::move(outcome)]() mutable { hand(std::move(outcome)); },
            Qt::QueuedConnection);
    };
    alsoCancel_ = std::move(alsoCancel);
    task_ = workers_.submit(
        [post, work = std::move(work)](const Workers::Task &task) {
            LoadOutcome outcome = work(task.flag());
            if (!task.cancelled())
                post(std::move(outcome));
        },
        [post, path] { post(refusedRead(path)); });
}

void BackgroundLoad::drop()
{
    if (!task_)
        return;
    {
        const std::lock_guard lock(mailbox_->mutex);
        mailbox_->wanted = 0;
    }
    task_->cancel();
    task_.reset();
    if (alsoCancel_)
        alsoCancel_();
    alsoCancel_ = nullptr;
}

} // namespace platform
