// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/StalledReads.h"

void StalledReads::Gate::pass(const QString &path)
{
    std::unique_lock lock(mutex);
    ++waiting;
    released.wait(lock, [&] { return !stalled.contains(path); });
    --waiting;
}

void StalledReads::stall(const QString &path)
{
    const std::lock_guard lock(gate_->mutex);
    gate_->stalled.insert(path);
}

void StalledReads::release()
{
    const std::lock_guard lock(gate_->mutex);
    gate_->stalled.clear();
    gate_->released.notify_all();
}

int StalledReads::waiting() const
{
    const std::lock_guard lock(gate_->mutex);
    return gate_->waiting;
}

platform::PictureReads StalledReads::reads() const
{
    return {
        [gate = gate_](const QString &path) {
            gate->pass(path);
            return platform::readPictureFile(path);
        },
        [gate = gate_](const QString &path, qint64 bytes) {
            gate->pass(path);
            return platform::readPictureFileStart(path, bytes);
        },
    };
}
