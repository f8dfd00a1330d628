// SPDX-License-Identifier: GPL-2.0-or-later
// The EMF player's text records.
#include "EmfPlayer.h"

#include "Charset.h"
#include "EmfRecords.h"
#include "Records.h"
#include "Text.h"

namespace metafile {

using namespace emf;

namespace {

// Text records keep the graphics mode they were made in: in this one text
// is mapped like any shape.
constexpr quint32 GM_ADVANCED = 2;

// Glyph numbers of the record's font, two bytes each; as many as the
// record holds. How many of them are drawn is for drawText to say.
QList<quint32> readGlyphNumbers(ByteReader &r, qsizetype at, qint64 count)
{
    QList<quint32> glyphs;
    for (qint64 i = 0; i < count && r.holds(at, i + 1, 2); ++i)
        glyphs << r.u16(at + qsizetype(i) * 2);
    return glyphs;
}

} // namespace

bool EmfPlayer::playText(quint32 type, ByteReader &r)
{
    switch (type) {
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        if (auto run = textAt(r, 36, type == EMR_EXTTEXTOUTW))
            drawText(canvas_, dc_, *run);
        return true;
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW: {
        const qint64 strings = r.u32(36);
        for (qint64 i = 0; i < strings && r.holds(40, i + 1, 40); ++i)
            if (auto run = textAt(r, 40 + qsizetype(i) * 40, type == EMR_POLYTEXTOUTW))
                drawText(canvas_, dc_, *run);
        return true;
    }
    case EMR_SMALLTEXTOUT: {
        TextRun run;
        run.reference = readPoint(r, 8);
        run.advanced = r.u32(24) == GM_ADVANCED;
        const qint64 chars = r.u32(16);
        run.options = r.u32(20);
        qsizetype at = 36;
        if (!(run.options & 0x100)) { // ETO_NO_RECT
            run.rect = readRect(r, 36);
            at += 16;
        }
        if (run.options & 0x200) { // ETO_SMALL_CHARS: one byte each
            run.text = decodeText(r.slice(at, qsizetype(std::min<qint64>(chars, r.size()))), dc_.state().font.charset);
        } else if (run.options & gdi::ETO_GLYPH_INDEX) {
            run.glyphs = readGlyphNumbers(r, at, chars);
        } else {
            run.text = readUtf16(r, at, chars);
        }
        drawText(canvas_, dc_, run);
        return true;
    }
    default: return false;
    }
}

std::optional<TextRun> EmfPlayer::textAt(ByteReader &r, qsizetype at, bool wide)
{
    TextRun run;
    run.reference = readPoint(r, at);
    run.advanced = r.u32(24) == GM_ADVANCED;
    const qint64 chars = r.u32(at + 8);
    const qsizetype offString = r.u32(at + 12);
    run.options = r.u32(at + 16);
    run.rect = readRect(r, at + 20);
    const qsizetype offDx = r.u32(at + 36);
    // An empty string may still paint its opaque rectangle.
    if (chars < 0 || chars > MaxPoints || !r.holds(offString, chars, wide ? 2 : 1))
        return std::nullopt;
    if ((run.options & gdi::ETO_GLYPH_INDEX) && wide)
        run.glyphs = readGlyphNumbers(r, offString, chars);
    else if (wide)
        run.text = readUtf16(r, offString, chars);
    else
        run.text = decodeText(r.slice(offString, chars), dc_.state().font.charset);
    const qint64 step = (run.options & gdi::ETO_PDY) ? 2 : 1;
    if (offDx > 0 && r.holds(offDx, chars * step, 4))
        for (qint64 i = 0; i < chars; ++i)
            run.advances << r.i32(offDx + qsizetype(i * step) * 4);
    if (run.rect->isEmpty())
        run.rect.reset();
    return run;
}

} // namespace metafile
