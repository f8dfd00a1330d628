// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include "platform/system/Error.h"

// The windows' texts that more than one place shows, and the ways their
// message boxes put an error's number and description together, exactly as
// the user sees them.
namespace texts {

inline const QString Title = QStringLiteral("Lumarin");
inline const QString TitlePrefix = Title + QStringLiteral(" - ");

// "Error": the status line while a failure is reported, and the caption of
// the boxes that report a failed load or folder change.
inline const QString Error = QStringLiteral("Ошибка");

inline const QString StatusDesign = QStringLiteral("Статус");
inline const QString StatusLoading = QStringLiteral("Загружаю...");
inline const QString StatusReady = QStringLiteral("Готов");
inline const QString &StatusError = Error;
inline const QString StatusSaving = QStringLiteral("Сохранение рисунка...");

inline const QString &LoadErrorCaption = Error;

// Each box has its own layout, and users know them apart by it: the error
// guard's for anything unexpected (its own), Save's for a picture that could
// not be written, the picker's for a folder that cannot be opened.
inline QString saveFailureMessage(const platform::Error &error)
{
    return QStringLiteral("Error: %1\r\n%2").arg(error.number).arg(error.description);
}

inline QString folderFailureMessage(const platform::Error &error)
{
    return QStringLiteral("Error %1 %2").arg(error.number).arg(error.description);
}

} // namespace texts
