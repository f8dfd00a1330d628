// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// Orders names as people read them: letter case ignored and runs of digits
// compared as numbers, so "img2" comes before "img10". Names that differ
// only in letter case still get a fixed order.
class NaturalKey
{
public:
    explicit NaturalKey(const QString &name);
    bool operator<(const NaturalKey &other) const;

private:
    QString folded_;
    QString name_;
};

} // namespace platform
