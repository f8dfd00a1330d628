// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/LinuxRegistry.h"

#include <QStandardPaths>

#include <cstring>

namespace platform {

namespace {

constexpr Registry::Key SystemInfoKey = 1;
// Every access right beyond reading (set value, create subkey, link, ...).
constexpr unsigned WriteRights = 0x00000002 | 0x00000004 | 0x00000020 | 0x00010000
    | 0x00040000 | 0x00080000;

} // namespace

const QStringList LinuxRegistry::SystemInfoPrograms = {
    QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
    QStringLiteral("lshw-gtk"),
};

long LinuxRegistry::openKey(Key root, const QByteArray &subKey, unsigned, unsigned access,
                            Key &result)
{
    result = 0;
    if (root != HKeyLocalMachine || subKey.compare("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                                   Qt::CaseInsensitive) != 0)
        return FileNotFound;
    if (access & WriteRights)
        return AccessDenied;
    result = SystemInfoKey;
    return Success;
}

long LinuxRegistry::queryValue(Key key, const QByteArray &valueName, unsigned &type,
                               char *buffer, unsigned &size)
{
    if (key != SystemInfoKey || valueName.compare("PATH", Qt::CaseInsensitive) != 0)
        return FileNotFound;
    QString program;
    for (const QString &candidate : SystemInfoPrograms) {
        program = QStandardPaths::findExecutable(candidate);
        if (!program.isEmpty())
            break;
    }
    if (program.isEmpty())
        return FileNotFound;
    const QByteArray data = program.toLocal8Bit() + '\0';
    if (unsigned(data.size()) > size)
        return MoreData;
    std::memcpy(buffer, data.constData(), size_t(data.size()));
    size = unsigned(data.size());
    type = TypeString;
    return Success;
}

long LinuxRegistry::closeKey(Key)
{
    return Success;
}

} // namespace platform
