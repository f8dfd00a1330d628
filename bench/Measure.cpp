// SPDX-License-Identifier: GPL-2.0-or-later
#include "Measure.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <vector>

namespace bench {

double medianMs(int runs, const std::function<void()> &once, const std::function<void()> &before)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        QElapsedTimer clock;
        clock.start();
        once();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

namespace {

qint64 statusKilobytes(const char *field)
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

} // namespace

qint64 residentBytes()
{
    return statusKilobytes("VmRSS:") * 1024;
}

qint64 peakResidentBytes()
{
    return statusKilobytes("VmHWM:") * 1024;
}

void resetPeakResident()
{
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace bench
