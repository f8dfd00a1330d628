// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/ResidentMemory.h"

#include <QFile>

static qint64 statusBytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QByteArray text = status.readAll();
    const qsizetype at = text.indexOf("\n" + field);
    return at < 0 ? 0 : text.mid(at + 1 + field.size()).trimmed().split(' ').first().toLongLong() * 1024;
}

qint64 residentBytes()
{
    return statusBytes("VmRSS:");
}

qint64 peakResidentBytes()
{
    return statusBytes("VmHWM:");
}
