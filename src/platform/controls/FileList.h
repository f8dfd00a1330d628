// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"

class QListView;

namespace platform {

class FileListModel;

// The picture files of one folder, matching a fixed pattern, in natural
// order. click() is raised whenever the selection moves to an entry: by a
// mouse click, by the arrow keys, or by the program setting listIndex, in
// every case inside the call that moved it.
class FileList : public Control
{
    Q_OBJECT

public:
    FileList(const QString &pattern, const QString &startFolder, QWidget *container);

    QString path() const { return path_; }
    // Reads the folder; afterwards no entry is selected. Throws "path not
    // found" or "permission denied" when it cannot be read.
    void setPath(const QString &folder);

    int listCount() const;
    int listIndex() const;
    void setListIndex(int index);
    QString list(int index) const;
    // The selected entry's name, without folder; empty when none is.
    QString fileName() const;

signals:
    void click();

private:
    void read(const QString &folder);

    QString pattern_;
    QString path_;
    QListView *view_;
    FileListModel *model_;
    int selected_ = -1;
};

} // namespace platform
