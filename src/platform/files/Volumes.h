// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "platform/files/FolderListing.h"

namespace platform {

// A mounted volume: what the drive list offers.
struct Volume
{
    QString mountPath;
    QString label;

    bool operator==(const Volume &) const = default;
};

// The mounted volumes of the machine and the folders on them, as the picker
// browses them. Behind an interface so tests can add volumes that are gone
// or not ready, and folders whose listing stalls.
class Volumes
{
public:
    virtual ~Volumes() = default;

    // The mounted, ready volumes that hold files (no pseudo file systems).
    virtual QList<Volume> mounted() const = 0;
    // Throws "device unavailable" (68) when the volume is gone or not ready.
    virtual void ensureReady(const Volume &volume) const = 0;
    // The folder's subfolders and its files matching `patterns`.
    virtual FolderContents contents(const QString &folder, const QString &patterns) const
    {
        return listFolder(folder, patterns);
    }
};

// The text the drive list shows: the mount path, a blank, the label in
// brackets.
QString driveText(const Volume &volume);

// The leading path of a drive text (the text itself when it is a path).
QString leadingPath(const QString &text);

// The volume holding a path: the longest mount path that is a prefix of it,
// on a folder boundary.
std::optional<Volume> volumeHolding(const QList<Volume> &volumes, const QString &path);

} // namespace platform
