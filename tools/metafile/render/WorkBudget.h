// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QtGlobal>

namespace metafile {

// How much one playback may draw. A small file can ask for more path
// elements or image pixels than the helper's memory and time limits allow;
// once either allowance is spent, playback stops and what was drawn stays,
// so the picture is a faithful beginning rather than a crash or a timeout.
class WorkBudget
{
public:
    static constexpr qint64 MaxPathElements = 2'000'000;
    static constexpr qint64 MaxImagePixels = qint64(16) << 20;

    // False, and spent for good, when `count` more would go beyond it.
    bool spendElements(qint64 count) { return spend(elements_, count, MaxPathElements); }
    bool spendPixels(qint64 count) { return spend(pixels_, count, MaxImagePixels); }
    bool exhausted() const { return exhausted_; }

private:
    bool spend(qint64 &used, qint64 count, qint64 limit)
    {
        if (exhausted_ || count > limit - used) {
            exhausted_ = true;
            return false;
        }
        used += count;
        return true;
    }

    qint64 elements_ = 0;
    qint64 pixels_ = 0;
    bool exhausted_ = false;
};

} // namespace metafile
