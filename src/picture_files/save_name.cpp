// SPDX-License-Identifier: GPL-2.0-or-later
#include "picture_files/save_name.h"

#include "platform/files/FileOperations.h"

bool nameWasChosen(const QString &name, const QString &ext)
{
    return !name.isEmpty() && !name.endsWith(QStringLiteral("*.") + ext, Qt::CaseSensitive);
}

QString saveFolder(const QString &programFolder, const QString &pickerFolder)
{
    return platform::isFolderForPictures(programFolder) ? programFolder : pickerFolder;
}
