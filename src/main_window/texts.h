// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// The main window's own texts, exactly as the user sees them.
namespace texts {

inline const QString Title = QStringLiteral("Lumarin");
inline const QString TitlePrefix = QStringLiteral("Lumarin - ");

inline const QString StatusDesign = QStringLiteral("Статус");
inline const QString StatusLoading = QStringLiteral("Загружаю...");
inline const QString StatusReady = QStringLiteral("Готов");
inline const QString StatusError = QStringLiteral("Ошибка");
inline const QString StatusSaving = QStringLiteral("Сохранение рисунка...");

// Caption of the box that reports a picture that could not be loaded.
inline const QString LoadErrorCaption = QStringLiteral("Ошибка");

} // namespace texts
