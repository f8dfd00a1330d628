// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/FakeRegistry.h"

#include <cstring>

#include "platform/system/Error.h"

long FakeRegistry::openKey(Key root, const QByteArray &subKey, unsigned, unsigned access,
                           Key &result)
{
    result = 0;
    requestedAccess << access;
    if (root != HKeyLocalMachine || !keys.contains(subKey))
        return FileNotFound;
    opened_ << subKey;
    ++openHandles;
    result = Key(opened_.size());
    return Success;
}

long FakeRegistry::queryValue(Key key, const QByteArray &valueName, unsigned &type,
                              char *buffer, unsigned &size)
{
    const auto values = keys.value(opened_.value(qsizetype(key) - 1));
    if (!values.contains(valueName))
        return FileNotFound;
    const Value &value = values.value(valueName);
    if (unsigned(value.data.size()) > size)
        return MoreData;
    std::memcpy(buffer, value.data.constData(), size_t(value.data.size()));
    size = unsigned(value.data.size());
    type = value.type;
    return Success;
}

long FakeRegistry::closeKey(Key key)
{
    if (key != 0)
        --openHandles;
    return Success;
}

void FakeLauncher::start(const QString &program)
{
    if (fails)
        platform::raise(platform::errc::FileNotFound, program);
    started << program;
}
