// SPDX-License-Identifier: GPL-2.0-or-later
// The EMF+ player's text records.
#include "EmfPlusPlayer.h"

#include <cmath>

#include "ByteReader.h"
#include "EmfPlusPaths.h"
#include "EmfPlusRecords.h"
#include "EmfPlusText.h"
#include "Records.h"
#include "Text.h"

namespace metafile {

using namespace emfplus;

namespace {

constexpr quint32 CharacterCodes = 0x1, FirstPositionOnly = 0x4;
// The clip records' combine mode that keeps what both areas hold.
constexpr int ClipIntersect = 1;
// Ems beyond this, in device pixels, come from runaway transforms.
constexpr double MaxEmPixels = 1e6;

} // namespace

bool EmfPlusPlayer::playText(quint16 type, quint16 flags, ByteReader &r)
{
    switch (type) {
    case DrawString: drawString(flags, r); return true;
    case DrawDriverString: drawDriverString(flags, r); return true;
    default: return false;
    }
}

void EmfPlusPlayer::drawString(quint16 flags, ByteReader &r)
{
    const PlusFont *font = objects_.find<PlusFont>(flags & 0xFF);
    const double em = font ? state_.toWorld(font->em, font->unit) : 0;
    if (!font || !(em * state_.deviceScale() < MaxEmPixels) || !(em > 0))
        return;
    const PlusFormat *found = objects_.find<PlusFormat>(r.u32(4));
    const PlusFormat format = found ? *found : PlusFormat{};
    const QString text = readUtf16(r, 28, std::min<qint64>(r.u32(8), MaxRunLength));
    const QRectF layout = readRectF(r, 12);
    const QPainterPath outline = stringOutline(*font, em, format, text, layout);
    // Text beyond its layout box is cut off unless the format lets it show;
    // a box of no size is a point to align on, and cuts nothing.
    if (format.noClip || !(layout.width() > 0 && layout.height() > 0) || layout.contains(outline.boundingRect()))
        return fill(outline, brushOf(flags, r.u32(0)));
    auto &clip = state_.current().clip;
    const std::optional<QPainterPath> outside = clip;
    QPainterPath box;
    box.addRect(layout);
    combineClip(state_.toDevice().map(box), ClipIntersect);
    fill(outline, brushOf(flags, r.u32(0)));
    clip = outside;
}

void EmfPlusPlayer::drawDriverString(quint16 flags, ByteReader &r)
{
    const PlusFont *font = objects_.find<PlusFont>(flags & 0xFF);
    const double em = font ? state_.toWorld(font->em, font->unit) : 0;
    const qint64 count = r.u32(12);
    if (!font || !(em * state_.deviceScale() < MaxEmPixels) || !(em > 0) || count > MaxRunLength
        || !r.holds(16, count, 10))
        return;
    const quint32 options = r.u32(4);
    QList<quint16> glyphs;
    for (qint64 i = 0; i < count; ++i)
        glyphs << r.u16(16 + qsizetype(i) * 2);
    const QList<QPointF> positions = emfplus::readPoints(r, 16 + qsizetype(count) * 2, count, quint16(0));
    QPainterPath outline = glyphOutlines(*font, em, glyphs, positions, options & CharacterCodes,
                                         options & FirstPositionOnly);
    // The record's own transform applies to the glyphs before the world's.
    if (r.u32(8) != 0) {
        const QTransform matrix = readMatrix(r, 16 + qsizetype(count) * 10);
        if (r.overrun() || !matrix.isInvertible())
            return;
        outline = matrix.map(outline);
    }
    fill(outline, brushOf(flags, r.u32(0)));
}

} // namespace metafile
