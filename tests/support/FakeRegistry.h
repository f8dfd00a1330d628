// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>

#include "platform/system/Launcher.h"
#include "platform/system/Registry.h"

// A registry holding whatever a test puts in it: keys of values with any
// type and bytes, and keys that refuse the access asked for.
class FakeRegistry final : public platform::Registry
{
public:
    struct Value { unsigned type; QByteArray data; };

    long openKey(Key root, const QByteArray &subKey, unsigned options, unsigned access,
                 Key &result) override;
    long queryValue(Key key, const QByteArray &valueName, unsigned &type, char *buffer,
                    unsigned &size) override;
    long closeKey(Key key) override;

    QMap<QByteArray, QMap<QByteArray, Value>> keys;
    QList<unsigned> requestedAccess;
    int openHandles = 0;

private:
    QList<QByteArray> opened_; // handle n is opened_[n - 1]
};

// Records the programs it is asked to start, and fails on request.
class FakeLauncher final : public platform::Launcher
{
public:
    void start(const QString &program) override;

    QStringList started;
    bool fails = false;
};
