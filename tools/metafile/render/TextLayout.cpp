// SPDX-License-Identifier: GPL-2.0-or-later
#include "TextLayout.h"

#include <QFontMetricsF>
#include <QRawFont>
#include <QTransform>

namespace metafile {

namespace {

qsizetype characterLength(const QString &text, qsizetype i)
{
    return (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
}

// Places one glyph's outline with its origin at `x` on the baseline.
void place(Layout &layout, const QPainterPath &glyph, double x, double tilt)
{
    layout.glyphs.addPath((tilt == 0 ? glyph : QTransform().rotate(tilt).map(glyph)).translated(x, 0));
}

QPainterPath outline(const QFont &font, const QString &text)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// An empty box where a glyph would be, as a missing character is shown;
// wound against the outer edge so that it stays hollow under either fill
// rule.
QPainterPath missingGlyph(double advance, double height)
{
    const double width = std::max(advance * 0.7, height * 0.4);
    const double line = height * 0.08;
    const QRectF outer(advance * 0.1, -height, width, height);
    const QRectF inner = outer.adjusted(line, line, -line, -line);
    QPainterPath path;
    path.addRect(outer);
    path.moveTo(inner.topLeft());
    path.lineTo(inner.bottomLeft());
    path.lineTo(inner.bottomRight());
    path.lineTo(inner.topRight());
    path.closeSubpath();
    return path;
}

// Qt orders right-to-left text itself; given advances only set the run's
// length.
Layout shapedByQt(const QString &text, const Spacing &spacing, const QFont &font)
{
    Layout layout;
    layout.glyphs.addText(0, 0, font, text);
    layout.width = QFontMetricsF(font).horizontalAdvance(text);
    if (!spacing.advances.isEmpty() && layout.width > 0) {
        double given = 0;
        for (double a : spacing.advances)
            given += a * spacing.unitsPerLogical;
        layout.glyphs = QTransform::fromScale(given / layout.width, 1).map(layout.glyphs);
        layout.width = given;
    }
    return layout;
}

// A combining mark alone is shown over a no-break space, as Unicode shows
// one by itself.
QString standingAlone(char32_t character)
{
    const QString text = QString::fromUcs4(&character, 1);
    return QChar::category(character) == QChar::Mark_NonSpacing ? QChar(0xA0) + text : text;
}

} // namespace

QList<double> naturalAdvances(const QString &text, const QFont &font, double extra, double unitsPerLogical)
{
    const QFontMetricsF metrics(font);
    QList<double> advances;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = characterLength(text, i);
        advances << metrics.horizontalAdvance(text.mid(i, length)) / unitsPerLogical + extra;
        if (length == 2)
            advances << 0;
        i += length - 1;
    }
    return advances;
}

Layout layOutText(const QString &text, const Spacing &spacing, const QFont &font)
{
    if (text.isRightToLeft() || (spacing.advances.isEmpty() && spacing.tilt == 0))
        return shapedByQt(text, spacing, font);
    // Turned glyphs are placed one by one, at their own widths when the
    // record gives none.
    const QList<double> advances =
        spacing.advances.isEmpty() ? naturalAdvances(text, font, 0, spacing.unitsPerLogical) : spacing.advances;
    Layout layout;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = characterLength(text, i);
        place(layout, outline(font, text.mid(i, length)), layout.width, spacing.tilt);
        for (qsizetype k = i; k < i + length; ++k)
            layout.width += k < advances.size() ? advances[k] * spacing.unitsPerLogical : 0;
        i += length - 1;
    }
    return layout;
}

// Glyph numbers belong to the font the metafile was made with: only that
// font's glyphs of those numbers are the letters meant. Any other font has
// other letters at those numbers, so without the font itself each glyph
// is shown missing, in its place, rather than as a wrong letter.
Layout layOutGlyphs(const QList<quint32> &glyphs, const Spacing &spacing, const QFont &font, bool ownFont)
{
    Layout layout;
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return layout;
    const QList<QPointF> natural = raw.advancesForGlyphIndexes(glyphs);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const double advance = i < spacing.advances.size() ? spacing.advances[i] * spacing.unitsPerLogical
                                                           : (i < natural.size() ? natural[i].x() : 0);
        place(layout, ownFont ? raw.pathForGlyph(glyphs[i]) : missingGlyph(advance, raw.ascent() * 0.7),
              layout.width, spacing.tilt);
        layout.width += advance;
    }
    return layout;
}

Layout layOutSymbols(const QList<char32_t> &characters, const Spacing &spacing, const QFont &font)
{
    Layout layout;
    const QFontMetricsF metrics(font);
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const QString shown = characters[i] ? standingAlone(characters[i]) : QString();
        const double advance = i < spacing.advances.size() ? spacing.advances[i] * spacing.unitsPerLogical
            : shown.isEmpty()                               ? metrics.averageCharWidth()
                                                            : metrics.horizontalAdvance(shown);
        if (shown.isEmpty())
            place(layout, missingGlyph(advance, metrics.ascent() * 0.7), layout.width, spacing.tilt);
        else if (!shown.trimmed().isEmpty())
            place(layout, outline(font, shown), layout.width, spacing.tilt);
        layout.width += advance;
    }
    return layout;
}

} // namespace metafile
