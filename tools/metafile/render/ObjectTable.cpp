// SPDX-License-Identifier: GPL-2.0-or-later
#include "ObjectTable.h"

#include <algorithm>
#include <variant>

namespace metafile {

ObjectTable::ObjectTable(qint64 count)
{
    grow(size_t(std::clamp<qint64>(count, 1, qint64(MaxSlots))));
}

void ObjectTable::grow(size_t size)
{
    for (size_t i = slots_.size(); i < size; ++i)
        free_.insert(free_.end(), quint32(i));
    slots_.resize(size);
}

int ObjectTable::addToLowestFree(GdiObject object)
{
    // Headers often count too few objects: grow within the cap.
    if (free_.empty() && slots_.size() < size_t(MaxSlots))
        grow(slots_.size() + 1);
    if (free_.empty())
        return -1;
    const quint32 index = *free_.begin();
    free_.erase(free_.begin());
    slots_[index] = std::move(object);
    return int(index);
}

void ObjectTable::put(quint32 index, GdiObject object)
{
    // Files often declare too few handles; grow within the cap.
    if (index >= quint32(MaxSlots))
        return;
    if (index >= slots_.size())
        grow(index + 1);
    if (std::holds_alternative<std::monostate>(object))
        free_.insert(index);
    else
        free_.erase(index);
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
    if (index < slots_.size()) {
        slots_[index] = std::monostate{};
        free_.insert(index);
    }
}

} // namespace metafile
