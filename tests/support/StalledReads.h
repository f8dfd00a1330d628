// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSet>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/pictures/PictureReads.h"

// The file system's reads, except that a read of a file (or a listing of a
// folder) a test stalls waits until the test lets it go: a file on a dead
// network share, without one.
class StalledReads
{
public:
    void stall(const QString &path);
    // Lets every waiting read go on, and those to come.
    void release();
    // Reads waiting now.
    int waiting() const;
    // Waits while `path` is stalled, as a read of it does.
    void pass(const QString &path) const { gate_->pass(path); }

    platform::PictureReads reads() const;

private:
    struct Gate
    {
        mutable std::mutex mutex;
        std::condition_variable released;
        QSet<QString> stalled;
        int waiting = 0;

        void pass(const QString &path);
    };
    // Shared with the reads, which a worker may still be in after the test.
    std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
};
