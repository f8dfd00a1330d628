// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// Numbers follow the classic runtime table, so messages and the few places
// that test a number (device unavailable, dialog cancelled) agree with it.
namespace errc {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int OutOfMemory = 7;
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidPicture = 481;
inline constexpr int DialogCancelled = 32755;
} // namespace errc

// What every platform operation throws when it cannot do what was asked.
struct Error
{
    int number = 0;
    QString description;
};

// The standard description of an error number, in the program's language.
QString standardDescription(int number);

// An error with its standard description, optionally followed by a detail
// (usually the path concerned, shown as displayPath shows it) so the user
// can tell what went wrong where.
Error errorOf(int number, const QString &detail = {});
// Throws that error.
[[noreturn]] void raise(int number, const QString &detail = {});

// The Error that the exception being handled stands for (call it inside a
// catch block): an Error itself, "out of memory" for a failed allocation,
// number 0 with the exception's own text for anything else.
Error currentError() noexcept;

} // namespace platform
