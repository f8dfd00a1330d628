// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"
#include "platform/files/Volumes.h"

class QComboBox;

namespace platform {

// A drop-down list of the mounted volumes. change() is raised whenever the
// chosen volume changes, by the user or by the program, inside the call.
class DriveList : public Control
{
    Q_OBJECT

public:
    DriveList(const Volumes &volumes, const QString &startFolder, QWidget *container);

    // The chosen volume as the list shows it: mount path, blank, [label].
    QString drive() const;
    // Chooses the volume that a drive text or a path names (the volume
    // holding the path). Throws "device unavailable" when none does.
    void setDrive(const QString &text);

signals:
    void change();

private:
    void fill();

    const Volumes &volumes_;
    QComboBox *combo_;
    QList<Volume> shown_;
};

} // namespace platform
