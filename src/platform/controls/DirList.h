// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>

#include "platform/controls/Control.h"
#include "platform/files/Volumes.h"

class QListWidget;

namespace platform {

// A classic folder list: the open folder's ancestors from its volume's root
// down, then its subfolders, indented. The path of a volume's root ends with
// the separator; every other path has none. change() is raised whenever the
// path changes, inside the call that changed it.
class DirList : public Control
{
    Q_OBJECT

public:
    DirList(const Volumes &volumes, const QString &startFolder, QWidget *container);

    QString path() const { return path_; }
    // Opens a folder. A drive text opens the folder last opened on that
    // volume in this run, else its root. Throws "device unavailable" for a
    // volume that is gone, "path not found" or "permission denied" for a
    // folder that cannot be read.
    void setPath(const QString &pathOrDrive);
    // Reads the open folder's subfolders from disk again.
    void refresh();

signals:
    void change();
    // The user double-clicked a folder or pressed Enter on it.
    void openRequested(const QString &folder);

private:
    QString folderFor(const QString &pathOrDrive, const QList<Volume> &volumes) const;
    void fill(const QString &folder, const QStringList &subfolders, const QList<Volume> &volumes);

    const Volumes &volumes_;
    QListWidget *list_;
    QString folder_; // the open folder, clean
    QString path_;   // as shown to the program
    QHash<QString, QString> lastFolderOnVolume_;
};

} // namespace platform
