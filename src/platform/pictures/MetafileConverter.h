// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/pictures/MetafileHeader.h"

namespace platform {

// Limits the converter runs under.
struct ConverterLimits
{
    int timeoutMs = 5000;
    qint64 memoryBytes = qint64(1) << 30;
    qint64 maxOutputBytes = qint64(256) << 20;
};

// Converts a metafile to SVG in the separate helper program `helper`. A
// crash, a hang past the time limit, a refusal or empty output all end as
// "invalid picture".
QByteArray convertMetafile(const QString &helper, const QByteArray &metafile, MetafileType type,
                           const ConverterLimits &limits = {});

// Where the helper is installed: beside the viewer, or in its libexec
// folder.
QString defaultMetafileHelper();

} // namespace platform
