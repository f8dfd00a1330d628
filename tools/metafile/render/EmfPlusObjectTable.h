// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>

#include <array>
#include <optional>

#include "ByteReader.h"
#include "EmfPlusObjects.h"

namespace metafile::emfplus {

// The EMF+ object table: 64 slots, each holding the last object the
// records put there. Objects too big for one record come in pieces, which
// the table gathers.
class PlusObjectTable
{
public:
    static constexpr quint32 Slots = 64;
    // No real object is larger: pictures are the largest, and a few
    // megabytes at most.
    static constexpr qint64 MaxObjectBytes = qint64(32) << 20;

    // Takes one object record's flags and data; returns the object's bytes
    // once they are all in, at once for an object in one record.
    std::optional<QByteArray> gather(quint16 flags, ByteReader &data);

    void put(quint32 id, PlusObject object);

    template<typename T>
    const T *find(quint32 id) const
    {
        return id < Slots ? std::get_if<T>(&slots_[id]) : nullptr;
    }

private:
    struct Pending
    {
        quint16 key; // the object's type and slot
        qint64 total;
        QByteArray bytes;
    };

    std::array<PlusObject, Slots> slots_;
    std::optional<Pending> pending_;
};

} // namespace metafile::emfplus
