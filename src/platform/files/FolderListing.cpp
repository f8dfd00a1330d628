// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/FolderListing.h"

#include <algorithm>
#include <vector>

#include <unistd.h>

#include "platform/files/FolderEntries.h"
#include "platform/files/NaturalOrder.h"
#include "platform/system/Error.h"
#include "platform/system/FileNames.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

// "*.bmp;*.JPG" -> {".bmp", ".jpg"}; only patterns of the form *.ext.
QStringList suffixesOf(const QString &patterns)
{
    QStringList suffixes;
    for (const QString &pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (pattern.startsWith(QLatin1Char('*')))
            suffixes << pattern.mid(1).toCaseFolded();
    }
    return suffixes;
}

bool matches(const QString &name, const QStringList &suffixes)
{
    const QString folded = name.toCaseFolded();
    return std::any_of(suffixes.begin(), suffixes.end(),
                       [&](const QString &suffix) { return folded.endsWith(suffix); });
}

QStringList sortedNaturally(QStringList names)
{
    std::vector<std::pair<NaturalKey, QString>> keyed;
    keyed.reserve(names.size());
    for (QString &name : names)
        keyed.emplace_back(NaturalKey(name), std::move(name));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList sorted;
    sorted.reserve(qsizetype(keyed.size()));
    for (auto &entry : keyed)
        sorted << std::move(entry.second);
    return sorted;
}

} // namespace

bool matchesPatterns(const QString &name, const QString &patterns)
{
    return matches(name, suffixesOf(patterns));
}

void ensureReadableFolder(const QString &folder)
{
    if (!isFolder(folder))
        raise(errc::PathNotFound, folder);
    if (::access(encodeFileName(folder).constData(), R_OK | X_OK) != 0)
        raise(errc::PermissionDenied, folder);
}

// A link counts as what it leads to: a link to a device or a pipe, whatever
// its name, holds no picture, and a link to anything but a folder cannot be
// opened as one.
FolderContents listFolder(const QString &folder, const QString &patterns)
{
    ensureReadableFolder(folder);
    const QStringList suffixes = suffixesOf(patterns);
    FolderContents contents;
    forEachEntry(folder, [&](const FolderEntry &entry) {
        if (entry.name.startsWith('.'))
            return;
        QString name = decodeFileName(entry.name);
        const PathKind kind = entry.kind();
        if (kind == PathKind::Folder)
            contents.subfolders << std::move(name);
        else if (kind == PathKind::File && matches(name, suffixes))
            contents.files << std::move(name);
    });
    // Sorted once, on precomputed keys, which keeps a folder of 100,000
    // pictures quick to open.
    contents.subfolders = sortedNaturally(std::move(contents.subfolders));
    contents.files = sortedNaturally(std::move(contents.files));
    return contents;
}

} // namespace platform
