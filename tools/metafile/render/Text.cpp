// SPDX-License-Identifier: GPL-2.0-or-later
#include "Text.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QRawFont>

#include <cmath>

#include "Canvas.h"
#include "DeviceContext.h"
#include "SymbolFonts.h"
#include "TextFrame.h"
#include "TextLayout.h"

namespace metafile {

namespace {

// Debian's fonts-symbola, which the package depends on.
constexpr QLatin1String SymbolFace("Symbola");

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

// Whether the font the metafile names is the one that stands in for it.
bool isInstalled(const QFont &font, const QString &face)
{
    return QRawFont::fromFont(font).familyName().compare(face, Qt::CaseInsensitive) == 0;
}

void addDecorations(QPainterPath &glyphs, const Font &font, const QFontMetricsF &metrics, double x0, double width)
{
    const double thickness = std::max(1.0, metrics.lineWidth());
    if (font.underline)
        glyphs.addRect(QRectF(x0, metrics.underlinePos(), width, thickness));
    if (font.strikeOut)
        glyphs.addRect(QRectF(x0, -metrics.strikeOutPos(), width, thickness));
}

// How the run's glyphs come out: glyph numbers, codes or text.
Layout layOutRun(const QString &codes, const QList<quint32> &glyphNumbers, const Spacing &spacing,
                 const QFont &font, const Font &selected)
{
    if (!glyphNumbers.isEmpty())
        return layOutGlyphs(glyphNumbers, spacing, font, isInstalled(font, selected.face));
    const SymbolFont symbols = symbolFontNamed(selected.face);
    if ((symbols == SymbolFont::None && selected.charset != gdi::SYMBOL_CHARSET) || isInstalled(font, selected.face))
        return layOutText(codes, spacing, font);
    // Without the font itself, a symbol font's codes are the characters
    // they show, where Unicode has them. Other fonts of the symbol character
    // set draw pictures nobody here can tell: each is shown missing.
    if (symbols != SymbolFont::None)
        return layOutSymbols(symbolCharacters(symbols, codes), spacing, font);
    QList<char32_t> none;
    for (const QChar c : codes)
        none << (c.isSpace() ? c.unicode() : 0);
    return layOutSymbols(none, spacing, font);
}

// Where the reference point is on the run: its horizontal and vertical
// alignment, in glyph units.
QPointF alignment(unsigned textAlign, double width, const QFontMetricsF &metrics)
{
    QPointF at;
    switch (textAlign & gdi::TA_HORIZONTAL) {
    case gdi::TA_RIGHT: at.setX(-width); break;
    case gdi::TA_CENTER: at.setX(-width / 2); break;
    default: break;
    }
    switch (textAlign & gdi::TA_VERTICAL) {
    case gdi::TA_BASELINE: break;
    case gdi::TA_BOTTOM: at.setY(-metrics.descent()); break;
    default: at.setY(metrics.ascent()); break;
    }
    return at;
}

void fillBackground(Canvas &canvas, const DeviceContext &dc, const TextRun &run, bool inked,
                    const QPainterPath &cell)
{
    const DcState &state = dc.state();
    if (run.rect && (run.options & gdi::ETO_OPAQUE)) {
        QPainterPath box;
        box.addRect(run.rect->normalized());
        canvas.fill(dc.toDevice().map(box), QBrush(state.bkColour));
    } else if (state.bkMode == gdi::OPAQUE && inked) {
        canvas.fill(cell, QBrush(state.bkColour));
    }
}

// TA_UPDATECP moves the current position to the run's far end.
void moveCurrentPosition(DeviceContext &dc, const TextFrame &frame, double x0, double width)
{
    const unsigned align = dc.state().textAlign;
    if (!(align & gdi::TA_UPDATECP) || (align & gdi::TA_HORIZONTAL) == gdi::TA_CENTER)
        return;
    const double end = (align & gdi::TA_RIGHT) ? 0 : width;
    bool invertible = false;
    const QTransform back = dc.toDevice().inverted(&invertible);
    if (invertible)
        dc.state().position = back.map(frame.toDevice.map(QPointF(x0 + end, 0)));
}

} // namespace

QFont matchFont(const Font &font)
{
    QFont q;
    q.setFamily(font.face.isEmpty() ? QStringLiteral("Arial") : font.face);
    q.setStyleHint(hintOf(font.pitchAndFamily));
    if ((font.pitchAndFamily & 3) == 1) // FIXED_PITCH
        q.setFixedPitch(true);
    // A symbol font that is not here shows the characters its codes stand
    // for in this face: it has every one of them, and its letters and signs
    // are serif, as Symbol's are.
    if (symbolFontNamed(font.face) != SymbolFont::None && !isInstalled(q, font.face)) {
        q.setFamily(SymbolFace);
        q.setStyleHint(QFont::Serif);
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
    const QString text = run.text.left(MaxRunLength);
    const QList<quint32> glyphNumbers = run.glyphs.mid(0, MaxRunLength);

    QFont font = matchFont(state.font);
    const QFontMetricsF refMetrics(font);
    const QPointF reference = (state.textAlign & gdi::TA_UPDATECP) ? state.position : run.reference;
    const auto frame = textFrame(dc, state.font, reference, run.advanced,
                                 RefPixels / (refMetrics.ascent() + refMetrics.descent()));
    if (!frame)
        return;
    if (state.font.width > 0 && refMetrics.averageCharWidth() > 0) {
        const double wanted = state.font.width * frame->unitsPerLogical;
        font.setStretch(int(std::clamp(100 * wanted / refMetrics.averageCharWidth(), 50.0, 200.0)));
    }
    const QFontMetricsF metrics(font);
    Spacing spacing{run.advances.mid(0, MaxRunLength), frame->unitsPerLogical, frame->tilt};
    if (spacing.advances.isEmpty() && glyphNumbers.isEmpty() && state.charExtra != 0)
        spacing.advances = naturalAdvances(text, font, state.charExtra, frame->unitsPerLogical);
    Layout layout = layOutRun(text, glyphNumbers, spacing, font, state.font);

    const QPointF offset = alignment(state.textAlign, layout.width, metrics);
    const QTransform toDevice = QTransform::fromTranslate(offset.x(), offset.y()) * frame->toDevice;
    QPainterPath cell;
    cell.addRect(QRectF(0, -metrics.ascent(), layout.width, metrics.ascent() + metrics.descent()));
    const bool inked = !text.trimmed().isEmpty() || !glyphNumbers.isEmpty();
    fillBackground(canvas, dc, run, inked, toDevice.map(cell));
    if (text.isEmpty() && glyphNumbers.isEmpty())
        return;

    addDecorations(layout.glyphs, state.font, metrics, 0, layout.width);
    QPainterPath glyphs = toDevice.map(layout.glyphs);
    if (run.rect && (run.options & gdi::ETO_CLIPPED)) {
        QPainterPath box;
        box.addRect(run.rect->normalized());
        glyphs = glyphs.intersected(dc.toDevice().map(box));
    }
    if (dc.recording)
        canvas.record(glyphs);
    else
        canvas.fill(glyphs, QBrush(state.textColour));
    moveCurrentPosition(dc, *frame, offset.x(), layout.width);
}

} // namespace metafile
