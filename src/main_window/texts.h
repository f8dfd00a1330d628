// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include "platform/system/Dialogs.h"

// The windows' texts that more than one place shows, exactly as the user
// sees them.
namespace texts {

inline const QString &Title = platform::ProgramTitle;
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

} // namespace texts
