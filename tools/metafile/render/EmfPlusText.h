// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QPainterPath>
#include <QString>

#include <optional>

#include "ByteReader.h"
#include "EmfPlusObjects.h"

// Fonts, string formats and the outlines of the text records' glyphs.
namespace metafile::emfplus {

std::optional<PlusFont> readFont(ByteReader &r);
PlusFormat readFormat(ByteReader &r);

// A string laid out in `layout` (world units) as the format aligns it,
// broken into lines at line breaks and, unless the format says not to, at
// spaces where a line would overrun the layout's width. `em` is the font's
// em in world units.
QPainterPath stringOutline(const PlusFont &font, double em, const PlusFormat &format, const QString &text,
                           const QRectF &layout);

// Glyphs each at its own origin on the baseline (world units); `glyphs`
// are characters when `characters`, otherwise glyph numbers of the font.
// Only the first position is given when `firstOnly`: the others follow
// at the glyphs' advances.
QPainterPath glyphOutlines(const PlusFont &font, double em, const QList<quint16> &glyphs,
                           const QList<QPointF> &positions, bool characters, bool firstOnly);

} // namespace metafile::emfplus
