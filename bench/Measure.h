// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>

#include <functional>

namespace bench {

// Runs `once` `runs` times and returns the median time in milliseconds.
// `before`, when given, runs untimed ahead of each run.
double medianMs(int runs, const std::function<void()> &once,
                const std::function<void()> &before = {});

// Resident memory of this process now and at its peak, in bytes; the peak
// can be reset (Linux).
qint64 residentBytes();
qint64 peakResidentBytes();
void resetPeakResident();

} // namespace bench
