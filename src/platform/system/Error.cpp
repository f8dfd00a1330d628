// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/Error.h"

#include <exception>
#include <new>

#include "platform/system/DisplayNames.h"

namespace platform {

QString standardDescription(int number)
{
    switch (number) {
    case errc::InvalidProcedureCall: return QStringLiteral("Недопустимый вызов процедуры или аргумент");
    case errc::OutOfMemory: return QStringLiteral("Недостаточно памяти");
    case errc::FileNotFound: return QStringLiteral("Файл не найден");
    case errc::DiskFull: return QStringLiteral("Диск заполнен");
    case errc::DeviceUnavailable: return QStringLiteral("Устройство недоступно");
    case errc::PermissionDenied: return QStringLiteral("Доступ запрещён");
    case errc::PathFileAccess: return QStringLiteral("Ошибка доступа к пути или файлу");
    case errc::PathNotFound: return QStringLiteral("Путь не найден");
    case errc::InvalidPropertyValue: return QStringLiteral("Недопустимое значение свойства");
    case errc::InvalidPicture: return QStringLiteral("Недопустимый рисунок");
    case errc::DialogCancelled: return QStringLiteral("Выбрана отмена");
    default: return QStringLiteral("Ошибка приложения");
    }
}

Error errorOf(int number, const QString &detail)
{
    QString text = standardDescription(number);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + displayPath(detail);
    return Error{number, text};
}

void raise(int number, const QString &detail)
{
    throw errorOf(number, detail);
}

Error currentError() noexcept
{
    try {
        throw;
    } catch (const Error &error) {
        return error;
    } catch (const std::bad_alloc &) {
        return Error{errc::OutOfMemory, standardDescription(errc::OutOfMemory)};
    } catch (const std::exception &e) {
        // Building the text allocates; when even that fails, the fixed
        // text says what happened.
        try {
            return Error{0, QString::fromLocal8Bit(e.what())};
        } catch (...) {
            return Error{errc::OutOfMemory, standardDescription(errc::OutOfMemory)};
        }
    } catch (...) {
        return Error{0, standardDescription(0)};
    }
}

} // namespace platform
