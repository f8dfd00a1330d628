// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

// This process's resident memory now and at its peak, in bytes (Linux).
qint64 residentBytes();
qint64 peakResidentBytes();
