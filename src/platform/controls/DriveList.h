// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"
#include "platform/files/Volumes.h"
#include "platform/system/BackgroundTask.h"

class QComboBox;

namespace platform {

// A drop-down list of the mounted volumes. change() is raised whenever the
// chosen volume changes, by the user or by the program, inside the call.
// The mount table is read on a worker (looking at a dead network mount
// waits): a table late by more than a moment fills the list when it comes.
class DriveList : public Control
{
    Q_OBJECT

public:
    DriveList(const Volumes &volumes, Workers &workers, const QString &startFolder, QWidget *container);

    // The chosen volume as the list shows it: mount path, blank, [label].
    QString drive() const;
    // Chooses the volume that a drive text or a path names (the volume
    // holding the path). Throws "device unavailable" when none does.
    void setDrive(const QString &text);

signals:
    void change();

private:
    void fill();
    void show(const QList<Volume> &volumes);

    const Volumes &volumes_;
    QString startFolder_;
    QComboBox *combo_;
    QList<Volume> shown_;
    BackgroundTask<QList<Volume>> mountTable_;
};

} // namespace platform
