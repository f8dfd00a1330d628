// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QSizeF>

#include <optional>

namespace platform {

enum class MetafileType { None, Wmf, Emf };

// Recognises a metafile from its first bytes, whatever the file's name: a
// placeable WMF (key 0x9AC6CDD7), a standard WMF header, or an EMF (record
// type 1 with the " EMF" signature).
MetafileType detectMetafile(const QByteArray &bytes);

// The metafile's own size in twips: from a placeable WMF's bounding box and
// units per inch, or an EMF's frame (in hundredths of a millimetre).
// Nothing for a standard WMF, which does not say how large it is. Throws
// "invalid picture" for a size that is empty or absurdly large.
std::optional<QSizeF> metafileTwips(const QByteArray &bytes, MetafileType type);

// The largest side a metafile may declare: about 17 metres.
inline constexpr double MaxMetafileTwips = 1.0e6;

} // namespace platform
