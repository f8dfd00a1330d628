// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/FolderListing.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#include "platform/files/NaturalOrder.h"
#include "platform/system/Error.h"

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

void ensureReadableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists() || !info.isDir())
        raise(errc::PathNotFound, folder);
    if (!info.isReadable() || !info.isExecutable())
        raise(errc::PermissionDenied, folder);
}

QStringList listMatchingFiles(const QString &folder, const QString &patterns)
{
    ensureReadableFolder(folder);
    const QStringList suffixes = suffixesOf(patterns);
    QStringList names;
    // No QDir sorting: the natural order is applied once, on precomputed
    // keys, which keeps a folder of 100,000 pictures quick to open.
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (matches(name, suffixes))
            names << name;
    }
    return sortedNaturally(std::move(names));
}

QStringList listSubfolders(const QString &folder)
{
    ensureReadableFolder(folder);
    QStringList names;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    return sortedNaturally(std::move(names));
}

} // namespace platform
