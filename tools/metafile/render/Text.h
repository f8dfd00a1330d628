// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

namespace metafile {

class Canvas;
class DeviceContext;
struct Font;

// Longer runs are cut: no line of a real picture holds more, and each
// glyph costs an outline.
inline constexpr qsizetype MaxRunLength = 8192;

// One string of a text record, already decoded to Unicode.
struct TextRun
{
    QPointF reference;             // logical units
    QString text;
    QList<quint32> glyphs;         // instead of text: glyph numbers of the record's font
    QList<double> advances;        // logical units, one per character; may be empty
    std::optional<QRectF> rect;    // logical units: ETO_OPAQUE / ETO_CLIPPED
    unsigned options = 0;
    bool advanced = false;         // made in the advanced graphics mode
};

// The installed font that draws a metafile font's face and character set.
QFont matchFont(const Font &font);

// Draws a run with the selected font, text colour, alignment and background
// mode, as glyph outlines in device units.
void drawText(Canvas &canvas, DeviceContext &dc, const TextRun &run);

} // namespace metafile
