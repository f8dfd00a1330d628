// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>

#include <memory>
#include <optional>

#include "platform/controls/Control.h"
#include "platform/files/FolderOpening.h"
#include "platform/system/BackgroundTask.h"
#include "platform/system/Error.h"

class QListWidget;

namespace platform {

// A classic folder list: the open folder's ancestors from its volume's root
// down, then its subfolders, indented. The path of a volume's root ends with
// the separator; every other path has none.
//
// A folder is read on a worker, once for this list and the file list beside
// it (files()). When the disk answers within a moment, opening a folder
// behaves as if it were read in place: change() is raised inside the call
// that changed the path, and a failure is thrown from it. Otherwise the
// list is empty and listing() is true until the folder arrives; then
// change() is raised, or, when it cannot be read, the list shows again the
// folder it had and failed() is raised.
class DirList : public Control
{
    Q_OBJECT

public:
    DirList(const Volumes &volumes, Workers &workers, const QString &filePatterns, const QString &startFolder,
            QWidget *container);

    QString path() const { return path_; }
    // The open folder's files that match the patterns, in natural order.
    const QStringList &files() const { return contents_.files; }
    // Opens a folder. A drive text opens the folder last opened on that
    // volume in this run, else its root. Fails with "device unavailable"
    // for a volume that is gone, "path not found" or "permission denied"
    // for a folder that cannot be read.
    void setPath(const QString &pathOrDrive);
    // Reads the open folder's subfolders from disk again; a failure leaves
    // the list as it was.
    void refresh();
    // A folder being opened has not arrived yet.
    bool listing() const { return listing_; }

signals:
    void change();
    // The user double-clicked a folder or pressed Enter on it.
    void openRequested(const QString &folder);
    // A folder took longer than a moment to read: the list is empty until
    // listingEnded(), which comes after its change(), or before failed()
    // with the list back as it was.
    void listingStarted();
    void listingEnded();
    void failed(const platform::Error &error);

private:
    enum class Purpose { Start, Open, Refresh };
    struct Opening
    {
        OpenedFolder opened; // the mount table at least, when it failed
        std::optional<Error> failure;
    };

    void open(const QString &pathOrDrive, Purpose purpose);
    void finish(Opening opening, Purpose purpose, bool late);
    void apply(const OpenedFolder &opened, Purpose purpose);
    void fill(const QString &folder, const QList<Volume> &volumes);

    const Volumes &volumes_;
    QString patterns_;
    QListWidget *list_;
    QString folder_; // the open folder, clean
    QString path_;   // as shown to the program
    FolderContents contents_;
    QList<Volume> mounted_; // as read with the open folder
    QHash<QString, QString> lastFolderOnVolume_;
    bool listed_ = false; // the open folder has been read once
    bool listing_ = false;
    bool waiting_ = false;
    std::optional<Opening> prompt_;
    // Last, so it goes first: its results never arrive after the rest.
    BackgroundTask<Opening> opening_;
};

} // namespace platform
