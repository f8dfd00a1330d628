// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/NaturalOrder.h"

namespace platform {

namespace {

int compareFolded(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const QChar ca = a.at(i);
        const QChar cb = b.at(j);
        if (ca.isDigit() && cb.isDigit()) {
            // Compare the numbers by their digits' values, in any script:
            // skip leading zeros, then the longer run is larger, then digit
            // by digit.
            qsizetype si = i, sj = j;
            while (si < a.size() && a.at(si).isDigit() && a.at(si).digitValue() == 0) ++si;
            while (sj < b.size() && b.at(sj).isDigit() && b.at(sj).digitValue() == 0) ++sj;
            qsizetype ei = si, ej = sj;
            while (ei < a.size() && a.at(ei).isDigit()) ++ei;
            while (ej < b.size() && b.at(ej).isDigit()) ++ej;
            if (ei - si != ej - sj)
                return ei - si < ej - sj ? -1 : 1;
            for (qsizetype k = 0; k < ei - si; ++k) {
                const int da = a.at(si + k).digitValue();
                const int db = b.at(sj + k).digitValue();
                if (da != db)
                    return da < db ? -1 : 1;
            }
            // Equal values: fewer leading zeros first.
            if (ei - i != ej - j)
                return ei - i < ej - j ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        // A digit against a letter: as the ASCII digit of its value, so
        // digits of every script stand where ASCII ones do.
        const auto key = [](QChar c) { return c.isDigit() ? QChar(u'0' + c.digitValue()) : c; };
        if (key(ca) != key(cb))
            return key(ca) < key(cb) ? -1 : 1;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j ? -1 : 1;
    return 0;
}

} // namespace

NaturalKey::NaturalKey(const QString &name) : folded_(name.toCaseFolded()), name_(name)
{
}

bool NaturalKey::operator<(const NaturalKey &other) const
{
    const int folded = compareFolded(folded_, other.folded_);
    return folded != 0 ? folded < 0 : name_ < other.name_;
}

} // namespace platform
