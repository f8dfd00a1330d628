// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "platform/controls/Control.h"

class QListView;

namespace platform {

class FileListModel;

// The picture files of one folder, in natural order, as the folder list read
// them. click() is raised whenever the selection moves to an entry: by a
// mouse click, by the arrow keys, or by the program setting listIndex, in
// every case inside the call that moved it.
class FileList : public Control
{
    Q_OBJECT

public:
    FileList(const QString &startFolder, QWidget *container);

    QString path() const { return path_; }
    // Shows the files of a folder; afterwards no entry is selected.
    void setPath(const QString &folder, QStringList names);
    // While another folder is being read: the list is empty, and what it
    // showed comes back on release() unless setPath() came first.
    void hold();
    void release();

    int listCount() const;
    int listIndex() const;
    void setListIndex(int index);
    QString list(int index) const;
    // The selected entry's name, without folder; empty when none is.
    QString fileName() const;

signals:
    void click();

private:
    struct Held
    {
        QStringList names;
        int selected;
    };

    void select(int index);

    QString path_;
    QListView *view_;
    FileListModel *model_;
    int selected_ = -1;
    std::optional<Held> held_;
};

} // namespace platform
