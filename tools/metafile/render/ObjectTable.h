// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <set>
#include <vector>

#include "Objects.h"

namespace metafile {

// The metafile's handle table. WMF fills the lowest free slot with each
// object it creates; EMF names the slot in the record. Both are bounded by
// the size the header declares, capped.
class ObjectTable
{
public:
    static constexpr int MaxSlots = 65536;

    explicit ObjectTable(qint64 count);

    int addToLowestFree(GdiObject object); // the slot, or -1 when full
    void put(quint32 index, GdiObject object);
    const GdiObject *find(quint32 index) const;
    void remove(quint32 index);

private:
    void grow(size_t size);

    std::vector<GdiObject> slots_;
    // The empty slots, lowest first: a file that creates objects by the
    // hundred thousand must not search the table each time.
    std::set<quint32> free_;
};

} // namespace metafile
