// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusObjectTable.h"

namespace metafile::emfplus {

namespace {

constexpr quint16 Continued = 0x8000;

} // namespace

std::optional<QByteArray> PlusObjectTable::gather(quint16 flags, ByteReader &data)
{
    const quint16 key = flags & ~Continued;
    const bool continued = flags & Continued;
    // Each piece of a continued object says the whole object's size.
    const QByteArrayView piece = continued ? data.slice(4, data.size() - 4) : data.slice(0, data.size());
    if (pending_ && pending_->key != key)
        pending_.reset(); // an object left unfinished is dropped
    if (!continued && !pending_)
        return piece.toByteArray();
    if (!pending_) {
        const qint64 total = data.u32(0);
        if (total > MaxObjectBytes)
            return std::nullopt;
        pending_ = Pending{key, total, {}};
    }
    // Beyond the size declared is padding, or a lie: never kept.
    const qint64 wanted = pending_->total - pending_->bytes.size();
    pending_->bytes += piece.first(std::min(wanted, qint64(piece.size())));
    // The last piece is either the one that brings the whole size or one
    // no longer marked as continued.
    if (continued && pending_->bytes.size() < pending_->total)
        return std::nullopt;
    QByteArray whole = std::move(pending_->bytes);
    pending_.reset();
    return whole;
}

void PlusObjectTable::put(quint32 id, PlusObject object)
{
    if (id < Slots)
        slots_[id] = std::move(object);
}

} // namespace metafile::emfplus
