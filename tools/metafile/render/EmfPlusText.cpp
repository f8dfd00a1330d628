// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusText.h"

#include <QFontMetricsF>
#include <QRawFont>

#include "Objects.h"
#include "Records.h"
#include "SymbolFonts.h"
#include "Text.h"
#include "TextFrame.h"
#include "TextLayout.h"

namespace metafile::emfplus {

namespace {

enum FontStyle { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
enum Alignment { Near = 0, Centre = 1, Far = 2 };
constexpr quint32 NoWrap = 0x1000, NoClip = 0x4000;
constexpr int MaxFamilyLength = 64;

QFont qtFont(const PlusFont &font)
{
    Font gdi;
    gdi.face = font.family;
    gdi.weight = font.style & Bold ? 700 : 400;
    gdi.italic = font.style & Italic;
    return matchFont(gdi);
}

// Where a span of `length` starts in a box from `start` of `size`; a box
// of no size is a point the span is aligned on.
double aligned(int alignment, double start, double size, double length)
{
    switch (alignment) {
    case Centre: return start + (size - length) / 2;
    case Far: return start + size - length;
    default: return start;
    }
}

// Lines broken at line breaks and, within `width` (reference units; 0 for
// none), at the last space that keeps a line within it.
QStringList linesOf(const QString &text, const QFontMetricsF &metrics, double width)
{
    QStringList lines;
    for (const QString &paragraph : QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'))) {
        const double space = metrics.horizontalAdvance(QLatin1Char(' '));
        QString line;
        double lineWidth = -space;
        for (const QString &word : paragraph.split(QLatin1Char(' '))) {
            const double wordWidth = metrics.horizontalAdvance(word);
            if (width > 0 && !line.isEmpty() && lineWidth + space + wordWidth > width) {
                lines << line;
                line.clear();
                lineWidth = -space;
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
            lineWidth += space + wordWidth;
        }
        lines << line;
    }
    return lines;
}

// A line's glyphs; a symbol font that is not here shows the characters its
// codes stand for, as in plain records.
Layout layOutLine(const QString &line, const QFont &qfont, const QString &family)
{
    const SymbolFont symbols = symbolFontNamed(family);
    if (symbols == SymbolFont::None || QRawFont::fromFont(qfont).familyName().compare(family, Qt::CaseInsensitive) == 0)
        return layOutText(line, Spacing{}, qfont);
    return layOutSymbols(symbolCharacters(symbols, line), Spacing{}, qfont);
}

void addDecorations(QPainterPath &glyphs, int style, const QFontMetricsF &metrics, double x, double width)
{
    const double thickness = std::max(1.0, metrics.lineWidth());
    if (style & Underline)
        glyphs.addRect(QRectF(x, metrics.underlinePos(), width, thickness));
    if (style & StrikeOut)
        glyphs.addRect(QRectF(x, -metrics.strikeOutPos(), width, thickness));
}

} // namespace

std::optional<PlusFont> readFont(ByteReader &r)
{
    PlusFont font;
    font.em = r.f32(4);
    font.unit = r.i32(8);
    font.style = r.i32(12);
    font.family = readUtf16(r, 24, std::min<qint64>(r.u32(20), MaxFamilyLength));
    font.family.truncate(font.family.indexOf(QChar(0)) < 0 ? font.family.size() : font.family.indexOf(QChar(0)));
    if (r.overrun() || !(font.em > 0))
        return std::nullopt;
    return font;
}

PlusFormat readFormat(ByteReader &r)
{
    PlusFormat format;
    format.noWrap = r.u32(4) & NoWrap;
    format.noClip = r.u32(4) & NoClip;
    format.align = r.i32(12);
    format.lineAlign = r.i32(16);
    return format;
}

QPainterPath stringOutline(const PlusFont &font, double em, const PlusFormat &format, const QString &text,
                           const QRectF &layout)
{
    const QFont qfont = qtFont(font);
    const QFontMetricsF metrics(qfont);
    const double scale = em / RefPixels;
    const double wrapWidth = format.noWrap ? 0 : layout.width() / scale;
    const QStringList lines = linesOf(text.left(MaxRunLength), metrics, wrapWidth);
    const double lineHeight = metrics.lineSpacing() * scale;
    double baseline = aligned(format.lineAlign, layout.top(), layout.height(), lines.size() * lineHeight)
        + metrics.ascent() * scale;
    QPainterPath outline;
    for (const QString &line : lines) {
        Layout laidOut = layOutLine(line, qfont, font.family);
        addDecorations(laidOut.glyphs, font.style, metrics, 0, laidOut.width);
        const double x = aligned(format.align, layout.left(), layout.width(), laidOut.width * scale);
        outline.addPath((QTransform::fromScale(scale, scale) * QTransform::fromTranslate(x, baseline))
                            .map(laidOut.glyphs));
        baseline += lineHeight;
    }
    return outline;
}

QPainterPath glyphOutlines(const PlusFont &font, double em, const QList<quint16> &glyphs,
                           const QList<QPointF> &positions, bool characters, bool firstOnly)
{
    const QFont qfont = qtFont(font);
    const bool ownFont = QRawFont::fromFont(qfont).familyName().compare(font.family, Qt::CaseInsensitive) == 0;
    const double scale = em / RefPixels;
    QPainterPath outline;
    QPointF at = positions.value(0);
    for (qsizetype i = 0; i < glyphs.size() && i < MaxRunLength; ++i) {
        const Layout glyph = characters ? layOutLine(QString(QChar(glyphs[i])), qfont, font.family)
                                        : layOutGlyphs({glyphs[i]}, Spacing{}, qfont, ownFont);
        if (!firstOnly && i < positions.size())
            at = positions[i];
        outline.addPath((QTransform::fromScale(scale, scale) * QTransform::fromTranslate(at.x(), at.y()))
                            .map(glyph.glyphs));
        at.rx() += glyph.width * scale;
    }
    return outline;
}

} // namespace metafile::emfplus
