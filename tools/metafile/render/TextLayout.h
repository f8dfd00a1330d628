// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QString>

namespace metafile {

// How a run's glyphs are spaced and turned.
struct Spacing
{
    QList<double> advances;     // logical units, one per code; may be empty
    double unitsPerLogical = 1; // glyph units per logical unit
    double tilt = 0;            // each glyph's turn about its origin, degrees clockwise
};

// A run's glyphs in the units of its font's size, the first one's origin
// on the baseline at (0, 0).
struct Layout
{
    QPainterPath glyphs;
    double width = 0;
};

// Each character's own advance and `extra` logical units, in logical
// units, one entry per UTF-16 unit as the records give them.
QList<double> naturalAdvances(const QString &text, const QFont &font, double extra, double unitsPerLogical);

// Text in `font`, each character at its advance; without advances, and
// for right-to-left text, as Qt shapes it.
Layout layOutText(const QString &text, const Spacing &spacing, const QFont &font);

// Glyph numbers of `font`: its own glyphs when `ownFont`, otherwise each
// an empty box in its place.
Layout layOutGlyphs(const QList<quint32> &glyphs, const Spacing &spacing, const QFont &font, bool ownFont);

// The characters a symbol font's codes show, one per code, in `font`: an
// empty box for a 0, where nothing in Unicode is what the code shows.
Layout layOutSymbols(const QList<char32_t> &characters, const Spacing &spacing, const QFont &font);

} // namespace metafile
