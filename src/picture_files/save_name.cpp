// SPDX-License-Identifier: GPL-2.0-or-later
#include "picture_files/save_name.h"

#include "platform/files/FileOperations.h"
#include "platform/system/TimeBox.h"

bool nameWasChosen(const QString &name, const QString &ext)
{
    return !name.isEmpty() && !name.endsWith(QStringLiteral("*.") + ext, Qt::CaseSensitive);
}

QString saveFolder(platform::Workers &workers, const QString &programFolder, const QString &pickerFolder)
{
    const auto fits = platform::timeBoxed<bool>(workers, platform::CheckTimeBox, [programFolder] {
        return platform::isFolderForPictures(programFolder);
    });
    return fits.value_or(false) ? programFolder : pickerFolder;
}
