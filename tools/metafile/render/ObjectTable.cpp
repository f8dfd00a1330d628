// SPDX-License-Identifier: GPL-2.0-or-later
#include "ObjectTable.h"

#include <algorithm>
#include <variant>

namespace metafile {

ObjectTable::ObjectTable(qint64 count) : slots_(size_t(std::clamp<qint64>(count, 1, qint64(MaxSlots))))
{
}

int ObjectTable::addToLowestFree(GdiObject object)
{
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (std::holds_alternative<std::monostate>(slots_[i])) {
            slots_[i] = std::move(object);
            return int(i);
        }
    }
    // Headers often count too few objects: grow within the cap.
    if (slots_.size() >= size_t(MaxSlots))
        return -1;
    slots_.push_back(std::move(object));
    return int(slots_.size() - 1);
}

void ObjectTable::put(quint32 index, GdiObject object)
{
    // Files often declare too few handles; grow within the cap.
    if (index >= quint32(MaxSlots))
        return;
    if (index >= slots_.size())
        slots_.resize(index + 1);
    slots_[index] = std::move(object);
}

const GdiObject *ObjectTable::find(quint32 index) const
{
    if (index >= slots_.size() || std::holds_alternative<std::monostate>(slots_[index]))
        return nullptr;
    return &slots_[index];
}

void ObjectTable::remove(quint32 index)
{
    if (index < slots_.size())
        slots_[index] = std::monostate{};
}

} // namespace metafile
