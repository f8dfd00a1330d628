// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointF>
#include <QTransform>

#include <optional>

namespace metafile {

class DeviceContext;
struct Font;

// Glyphs are outlined at this size and scaled: outlines at a few pixels
// would be hinted out of shape, and font sizes are whole pixels.
inline constexpr int RefPixels = 256;

// Where a run's glyphs land. Glyphs are laid out in units of the reference
// size, the baseline along x from the origin, y down.
struct TextFrame
{
    QTransform toDevice;        // from glyph units at the reference point
    double unitsPerLogical = 1; // glyph units per logical unit along the baseline
    double tilt = 0;            // each glyph's turn against the baseline, degrees clockwise
};

// The frame of a run at `reference` (logical units) in the selected font,
// whose em is `emPerCell` of its cell height. `advanced` is the graphics
// mode the record was made in. None for a font too small or too large to
// draw.
std::optional<TextFrame> textFrame(const DeviceContext &dc, const Font &font, QPointF reference, bool advanced,
                                   double emPerCell);

} // namespace metafile
