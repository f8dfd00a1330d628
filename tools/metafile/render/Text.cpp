// SPDX-License-Identifier: GPL-2.0-or-later
#include "Text.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QRawFont>

#include <cmath>

#include "Canvas.h"
#include "Charset.h"
#include "DeviceContext.h"

namespace metafile {

namespace {

// Glyphs are outlined at this size and scaled: outlines at a few pixels
// would be hinted out of shape, and font sizes are whole pixels.
constexpr int RefPixels = 256;

QFont::StyleHint hintOf(int pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case 0x10: return QFont::Serif;     // FF_ROMAN
    case 0x20: return QFont::SansSerif; // FF_SWISS
    case 0x30: return QFont::Monospace; // FF_MODERN
    case 0x40: return QFont::Cursive;   // FF_SCRIPT
    case 0x50: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

bool isSymbolFont(const Font &font)
{
    return font.face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

// Whether the font the metafile names is the one that stands in for it.
bool isInstalled(const QFont &font, const QString &face)
{
    return QRawFont::fromFont(font).familyName().compare(face, Qt::CaseInsensitive) == 0;
}

// Device pixels per logical unit along the text's baseline and across it.
struct Axes
{
    QPointF origin;
    double along = 1;
    double across = 1;
    double angle = 0; // of the baseline, degrees, clockwise on the device
};

Axes axesOf(const QTransform &t)
{
    Axes axes;
    axes.origin = t.map(QPointF(0, 0));
    const QPointF x = t.map(QPointF(1, 0)) - axes.origin;
    const QPointF y = t.map(QPointF(0, 1)) - axes.origin;
    axes.along = std::hypot(x.x(), x.y());
    axes.across = std::hypot(y.x(), y.y());
    axes.angle = std::atan2(x.y(), x.x()) * 180 / M_PI;
    return axes;
}

// The em height in device pixels: a negative height is the em itself, a
// positive one the cell (ascent + descent), zero the default size.
double emPixels(const Font &font, const QFontMetricsF &ref, double across, const DeviceContext &dc)
{
    if (font.height < 0)
        return -font.height * across;
    if (font.height > 0)
        return font.height * across * RefPixels / (ref.ascent() + ref.descent());
    return 12 * dc.pixelsPerMm().height() / ScreenPixelsPerMm;
}

// Each character's own advance and the extra space SETTEXTCHAREXTRA asks
// for, in logical units, one entry per UTF-16 unit as the records give them.
QList<double> withCharacterExtra(const QString &text, const QFont &font, double extra, double unitsPerLogical)
{
    const QFontMetricsF metrics(font);
    QList<double> advances;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        advances << metrics.horizontalAdvance(text.mid(i, length)) / unitsPerLogical + extra;
        if (length == 2)
            advances << 0;
        i += length - 1;
    }
    return advances;
}

struct Layout
{
    QPainterPath glyphs; // reference-size units, origin on the baseline
    double width = 0;
};

Layout layOut(const QString &text, const QList<double> &advances, const QFont &font, double unitsPerLogical)
{
    Layout layout;
    const QFontMetricsF metrics(font);
    if (advances.isEmpty() || text.isRightToLeft()) {
        // Qt orders right-to-left text itself; given advances only set the
        // run's length.
        layout.glyphs.addText(0, 0, font, text);
        layout.width = metrics.horizontalAdvance(text);
        if (!advances.isEmpty() && layout.width > 0) {
            double given = 0;
            for (double a : advances)
                given += a * unitsPerLogical;
            layout.glyphs = QTransform::fromScale(given / layout.width, 1).map(layout.glyphs);
            layout.width = given;
        }
        return layout;
    }
    double x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        layout.glyphs.addText(x, 0, font, text.mid(i, length));
        for (qsizetype k = i; k < i + length; ++k)
            x += k < advances.size() ? advances[k] * unitsPerLogical : 0;
        i += length - 1;
    }
    layout.width = x;
    return layout;
}

// An empty box in a glyph's place, as a missing character is shown; wound
// against the outer edge so that it stays hollow under either fill rule.
void addMissingGlyph(QPainterPath &path, double x, double advance, double height)
{
    const double width = std::max(advance * 0.7, height * 0.4);
    const double line = height * 0.08;
    const QRectF outer(x + advance * 0.1, -height, width, height);
    const QRectF inner = outer.adjusted(line, line, -line, -line);
    path.addRect(outer);
    path.moveTo(inner.topLeft());
    path.lineTo(inner.bottomLeft());
    path.lineTo(inner.bottomRight());
    path.lineTo(inner.topRight());
    path.closeSubpath();
}

// Glyph numbers belong to the font the metafile was made with: only that
// font's glyphs of those numbers are the letters meant. Any other font has
// other letters at those numbers, so without the font itself (`ownFont`)
// each glyph is shown missing, in its place, rather than as a wrong letter.
Layout layOutGlyphs(const QList<quint32> &glyphs, const QList<double> &advances, const QFont &font,
                    bool ownFont, double unitsPerLogical)
{
    Layout layout;
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return layout;
    const QList<QPointF> natural = raw.advancesForGlyphIndexes(glyphs);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const double advance = i < advances.size() ? advances[i] * unitsPerLogical
                                                   : (i < natural.size() ? natural[i].x() : 0);
        if (ownFont)
            layout.glyphs.addPath(raw.pathForGlyph(glyphs[i]).translated(layout.width, 0));
        else
            addMissingGlyph(layout.glyphs, layout.width, advance, raw.ascent() * 0.7);
        layout.width += advance;
    }
    return layout;
}

// Codes of a symbol font that is not here: each shown missing in its place,
// spaces left blank.
Layout layOutMissing(const QString &codes, const QList<double> &advances, const QFont &font,
                     double unitsPerLogical)
{
    Layout layout;
    const QFontMetricsF metrics(font);
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const double advance = i < advances.size() ? advances[i] * unitsPerLogical : metrics.averageCharWidth();
        if (!codes[i].isSpace())
            addMissingGlyph(layout.glyphs, layout.width, advance, metrics.ascent() * 0.7);
        layout.width += advance;
    }
    return layout;
}

void addDecorations(QPainterPath &glyphs, const Font &font, const QFontMetricsF &metrics, double x0, double width)
{
    const double thickness = std::max(1.0, metrics.lineWidth());
    if (font.underline)
        glyphs.addRect(QRectF(x0, metrics.underlinePos(), width, thickness));
    if (font.strikeOut)
        glyphs.addRect(QRectF(x0, -metrics.strikeOutPos(), width, thickness));
}

} // namespace

QString shownText(const Font &font, const QString &codes)
{
    return isSymbolFont(font) ? symbolToUnicode(codes) : codes;
}

QFont matchFont(const Font &font)
{
    QFont q;
    if (isSymbolFont(font)) {
        // The Symbol font's characters are mapped to Unicode; this face has
        // them all.
        q.setFamily(QStringLiteral("DejaVu Sans"));
    } else {
        q.setFamily(font.face.isEmpty() ? QStringLiteral("Arial") : font.face);
        q.setStyleHint(hintOf(font.pitchAndFamily));
        if ((font.pitchAndFamily & 3) == 1) // FIXED_PITCH
            q.setFixedPitch(true);
    }
    q.setWeight(QFont::Weight(std::clamp(font.weight == 0 ? 400 : font.weight, 1, 1000)));
    q.setItalic(font.italic);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setKerning(false);
    q.setPixelSize(RefPixels);
    return q;
}

void drawText(Canvas &canvas, DeviceContext &dc, const TextRun &run)
{
    const DcState &state = dc.state();
    const Axes axes = axesOf(dc.toDevice());
    const QString text = shownText(state.font, run.text.left(MaxRunLength));
    const QList<quint32> glyphNumbers = run.glyphs.mid(0, MaxRunLength);
    QList<double> advances = run.advances.mid(0, MaxRunLength);

    QFont font = matchFont(state.font);
    const QFontMetricsF refMetrics(font);
    const double em = emPixels(state.font, refMetrics, axes.across, dc);
    if (!(em > 0.01) || em > 1e6)
        return;
    const double k = em / RefPixels; // device pixels per reference unit
    if (state.font.width > 0 && refMetrics.averageCharWidth() > 0) {
        const double wanted = state.font.width * axes.along / k;
        font.setStretch(int(std::clamp(100 * wanted / refMetrics.averageCharWidth(), 50.0, 200.0)));
    }
    const QFontMetricsF metrics(font);
    if (advances.isEmpty() && glyphNumbers.isEmpty() && state.charExtra != 0)
        advances = withCharacterExtra(text, font, state.charExtra, axes.along / k);
    // A font of the symbol character set other than Symbol draws pictures
    // of its own at its codes: without it, they are shown missing.
    const bool ownPictures = state.font.charset == gdi::SYMBOL_CHARSET && !isSymbolFont(state.font);
    Layout layout;
    if (!glyphNumbers.isEmpty())
        layout = layOutGlyphs(glyphNumbers, advances, font, isInstalled(font, state.font.face), axes.along / k);
    else if (ownPictures && !isInstalled(font, state.font.face))
        layout = layOutMissing(text, advances, font, axes.along / k);
    else
        layout = layOut(text, advances, font, axes.along / k);

    const bool updatesPosition = state.textAlign & gdi::TA_UPDATECP;
    const QPointF reference = updatesPosition ? state.position : run.reference;
    double x0 = 0;
    switch (state.textAlign & gdi::TA_HORIZONTAL) {
    case gdi::TA_RIGHT: x0 = -layout.width; break;
    case gdi::TA_CENTER: x0 = -layout.width / 2; break;
    default: break;
    }
    double y0 = 0;
    switch (state.textAlign & gdi::TA_VERTICAL) {
    case gdi::TA_BASELINE: break;
    case gdi::TA_BOTTOM: y0 = -metrics.descent(); break;
    default: y0 = metrics.ascent(); break;
    }
    const double angle = axes.angle - state.font.escapement / 10;
    const QTransform toDevice = QTransform::fromTranslate(x0, y0) * QTransform::fromScale(k, k)
        * QTransform().rotate(angle) * QTransform::fromTranslate(dc.map(reference).x(), dc.map(reference).y());

    const QTransform logical = dc.toDevice();
    if (run.rect && (run.options & gdi::ETO_OPAQUE)) {
        QPainterPath box;
        box.addRect(run.rect->normalized());
        canvas.fill(logical.map(box), QBrush(state.bkColour));
    } else if (state.bkMode == gdi::OPAQUE && (!text.trimmed().isEmpty() || !run.glyphs.isEmpty())) {
        QPainterPath cell;
        cell.addRect(QRectF(0, -metrics.ascent(), layout.width, metrics.ascent() + metrics.descent()));
        canvas.fill(toDevice.map(cell), QBrush(state.bkColour));
    }

    if (text.isEmpty() && run.glyphs.isEmpty())
        return;
    addDecorations(layout.glyphs, state.font, metrics, 0, layout.width);
    QPainterPath glyphs = toDevice.map(layout.glyphs);
    if (run.rect && (run.options & gdi::ETO_CLIPPED)) {
        QPainterPath box;
        box.addRect(run.rect->normalized());
        glyphs = glyphs.intersected(logical.map(box));
    }
    if (dc.recording)
        canvas.record(glyphs);
    else
        canvas.fill(glyphs, QBrush(state.textColour));

    if (updatesPosition && (state.textAlign & gdi::TA_HORIZONTAL) != gdi::TA_CENTER) {
        const double end = (state.textAlign & gdi::TA_RIGHT) ? 0 : layout.width;
        const QPointF endDevice = (QTransform::fromScale(k, k) * QTransform().rotate(angle)
                                   * QTransform::fromTranslate(dc.map(reference).x(), dc.map(reference).y()))
                                      .map(QPointF(x0 + end, 0));
        bool invertible = false;
        const QTransform back = logical.inverted(&invertible);
        if (invertible)
            dc.state().position = back.map(endDevice);
    }
}

} // namespace metafile
