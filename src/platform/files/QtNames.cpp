// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/QtNames.h"

#include <QFile>
#include <QStringList>

#include "platform/files/FolderEntries.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/Error.h"
#include "platform/system/FileNames.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

// The real name of the one entry of `folder` that reads as `shown`; empty
// when none or several do.
QString entryShownAs(const QString &folder, const QString &shown)
{
    QString found;
    int count = 0;
    try {
        forEachEntry(folder, [&](const FolderEntry &entry) {
            const QByteArray bytes = entry.name.toByteArray();
            const QString name = decodeFileName(bytes);
            // The name as the picker showed it to the user, or as Qt's own
            // lossy decoding makes it.
            if (displayPath(name) == shown || QFile::decodeName(bytes) == shown) {
                found = name;
                ++count;
            }
        });
    } catch (const Error &) {
        return {};
    }
    return count == 1 ? found : QString();
}

} // namespace

QString pathChosenInQt(const QString &chosen)
{
    if (!chosen.startsWith(QLatin1Char('/')) || nameExists(chosen))
        return chosen;
    QString path;
    for (const QString &part : chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString written = path + QLatin1Char('/') + part;
        const QString real = nameExists(written) ? QString() : entryShownAs(path + QLatin1Char('/'), part);
        path = real.isEmpty() ? written : path + QLatin1Char('/') + real;
    }
    return path;
}

} // namespace platform
