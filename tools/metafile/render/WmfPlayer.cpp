// SPDX-License-Identifier: GPL-2.0-or-later
#include "WmfPlayer.h"

#include "Blit.h"
#include "ByteReader.h"
#include "Charset.h"
#include "Dib.h"
#include "Records.h"
#include "Shapes.h"
#include "Text.h"

namespace metafile {

namespace {

enum : quint16 {
    META_EOF = 0x0000, META_SAVEDC = 0x001E, META_REALIZEPALETTE = 0x0035, META_CREATEPALETTE = 0x00F7,
    META_SETBKMODE = 0x0102, META_SETMAPMODE = 0x0103, META_SETROP2 = 0x0104, META_SETPOLYFILLMODE = 0x0106,
    META_SETTEXTCHAREXTRA = 0x0108, META_RESTOREDC = 0x0127, META_INVERTREGION = 0x012A,
    META_PAINTREGION = 0x012B, META_SELECTCLIPREGION = 0x012C, META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E, META_DIBCREATEPATTERNBRUSH = 0x0142, META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9, META_SETBKCOLOR = 0x0201, META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B, META_SETWINDOWEXT = 0x020C, META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E, META_OFFSETWINDOWORG = 0x020F, META_OFFSETVIEWPORTORG = 0x0211,
    META_LINETO = 0x0213, META_MOVETO = 0x0214, META_OFFSETCLIPRGN = 0x0220, META_FILLREGION = 0x0228,
    META_CREATEPENINDIRECT = 0x02FA, META_CREATEFONTINDIRECT = 0x02FB, META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324, META_POLYLINE = 0x0325, META_SCALEWINDOWEXT = 0x0410,
    META_SCALEVIEWPORTEXT = 0x0412, META_EXCLUDECLIPRECT = 0x0415, META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418, META_RECTANGLE = 0x041B, META_FRAMEREGION = 0x0429, META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538, META_PATBLT = 0x061D, META_ROUNDRECT = 0x061C, META_CREATEREGION = 0x06FF,
    META_ARC = 0x0817, META_PIE = 0x081A, META_CHORD = 0x0830, META_BITBLT = 0x0922, META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32, META_STRETCHBLT = 0x0B23, META_DIBSTRETCHBLT = 0x0B41,
    META_SETDIBTODEV = 0x0D33, META_STRETCHDIB = 0x0F43
};

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr qsizetype Params = 6; // record size and function come first

QPointF pointAt(ByteReader &r, qsizetype at) // y first, as WMF stores them
{
    return QPointF(r.i16(at + 2), r.i16(at));
}

// bottom, right, top, left: the order WMF keeps a rectangle's sides in.
QRectF reversedRect(ByteReader &r, qsizetype at)
{
    return boxOf(r.i16(at + 6), r.i16(at + 4), r.i16(at + 2), r.i16(at));
}

std::optional<QRectF> firstWindow(QByteArrayView bytes, qsizetype at)
{
    QPointF org;
    for (qint64 n = 0; n < MaxRecords && at <= bytes.size() - 6; ++n) {
        ByteReader r(bytes.sliced(at, std::min<qsizetype>(bytes.size() - at, 10)));
        const qint64 size = qint64(r.u32(0)) * 2;
        const quint16 function = r.u16(4);
        if (size < 6 || function == META_EOF || size > bytes.size() - at)
            break;
        if (function == META_SETWINDOWORG)
            org = pointAt(r, Params);
        if (function == META_SETWINDOWEXT) {
            const QPointF ext = pointAt(r, Params);
            if (ext.x() != 0 && ext.y() != 0)
                return QRectF(org, QSizeF(ext.x(), ext.y())).normalized();
        }
        at += size;
    }
    return std::nullopt;
}

} // namespace

std::optional<WmfHeader> readWmfHeader(QByteArrayView bytes)
{
    ByteReader r(bytes);
    WmfHeader header;
    qsizetype at = 0;
    if (r.u32(0) == PlaceableKey) {
        header.placeableBox = boxOf(r.i16(6), r.i16(8), r.i16(10), r.i16(12));
        header.unitsPerInch = r.u16(14) ? r.u16(14) : 1440;
        at = 22;
    }
    const quint16 type = r.u16(at);
    const quint16 headerWords = r.u16(at + 2);
    if (r.overrun() || (type != 1 && type != 2) || headerWords < 9 || at + 18 > bytes.size())
        return std::nullopt;
    header.objects = r.u16(at + 10);
    header.recordsAt = at + headerWords * 2;
    header.window = firstWindow(bytes, header.recordsAt);
    return header;
}

WmfPlayer::WmfPlayer(QByteArrayView bytes, const WmfHeader &header, const QRectF &picture, QPainter *painter)
    : bytes_(bytes), header_(header), dc_(QSizeF(header.unitsPerInch / 25.4, header.unitsPerInch / 25.4)),
      objects_(header.objects), canvas_(painter, dc_)
{
    // The window the records set is stretched over the picture: the
    // viewport is the picture, until the records say otherwise.
    dc_.setMapMode(gdi::MM_ANISOTROPIC);
    dc_.setViewportOrg(picture.topLeft());
    dc_.setViewportExt(picture.size());
    dc_.setWindowOrg(picture.topLeft());
    dc_.setWindowExt(picture.size());
}

void WmfPlayer::play()
{
    qsizetype at = header_.recordsAt;
    for (qint64 n = 0; n < MaxRecords && at <= bytes_.size() - 6; ++n) {
        ByteReader head(bytes_.sliced(at, 6));
        const qint64 size = qint64(head.u32(0)) * 2;
        const quint16 function = head.u16(4);
        if (size < 6 || size > bytes_.size() - at || function == META_EOF)
            return;
        ByteReader record(bytes_.sliced(at, size));
        playRecord(function, record);
        // Past its work budget a hostile file has cost enough.
        if (canvas_.exhausted())
            return;
        at += size;
    }
}

void WmfPlayer::playRecord(quint16 function, ByteReader &r)
{
    // Each group tells whether the record was its own; unknown ones are skipped.
    playState(function, r) || playMapping(function, r) || playObject(function, r)
        || playShape(function, r) || playClip(function, r) || playText(function, r)
        || playBitmap(function, r);
}

bool WmfPlayer::playState(quint16 function, ByteReader &r)
{
    DcState &s = dc_.state();
    switch (function) {
    case META_SETBKMODE: s.bkMode = r.u16(Params); return true;
    case META_SETROP2: s.rop2 = r.u16(Params); return true;
    case META_SETPOLYFILLMODE: s.polyFill = r.u16(Params); return true;
    case META_SETTEXTALIGN: s.textAlign = r.u16(Params); return true;
    case META_SETTEXTCHAREXTRA: s.charExtra = r.i16(Params); return true;
    case META_SETTEXTCOLOR: s.textColour = readColorRef(r, Params); return true;
    case META_SETBKCOLOR: s.bkColour = readColorRef(r, Params); return true;
    case META_SAVEDC: dc_.save(); return true;
    case META_RESTOREDC: dc_.restore(r.i16(Params)); return true;
    case META_MOVETO: canvas_.moveTo(pointAt(r, Params)); return true;
    default: return false;
    }
}

bool WmfPlayer::playMapping(quint16 function, ByteReader &r)
{
    DcState &s = dc_.state();
    const QPointF p = pointAt(r, Params);
    // SCALE…EXT: yDenom, yNum, xDenom, xNum.
    const auto scaled = [&r](QSizeF ext) {
        const double xd = r.i16(Params + 4);
        const double yd = r.i16(Params);
        return xd && yd ? QSizeF(ext.width() * r.i16(Params + 6) / xd, ext.height() * r.i16(Params + 2) / yd)
                        : ext;
    };
    switch (function) {
    case META_SETMAPMODE:
        // Played into a picture, only the choice between keeping the
        // aspect ratio or not is the metafile's.
        if (r.u16(Params) == gdi::MM_ISOTROPIC || r.u16(Params) == gdi::MM_ANISOTROPIC)
            s.mapMode = r.u16(Params);
        return true;
    case META_SETWINDOWORG: dc_.setWindowOrg(p); return true;
    case META_SETWINDOWEXT: dc_.setWindowExt(QSizeF(p.x(), p.y())); return true;
    case META_SETVIEWPORTORG: dc_.setViewportOrg(p); return true;
    case META_SETVIEWPORTEXT: dc_.setViewportExt(QSizeF(p.x(), p.y())); return true;
    case META_OFFSETWINDOWORG: dc_.setWindowOrg(s.windowOrg + p); return true;
    case META_OFFSETVIEWPORTORG: dc_.setViewportOrg(s.viewportOrg + p); return true;
    case META_SCALEWINDOWEXT: dc_.setWindowExt(scaled(s.windowExt)); return true;
    case META_SCALEVIEWPORTEXT: dc_.setViewportExt(scaled(s.viewportExt)); return true;
    default: return false;
    }
}

bool WmfPlayer::playObject(quint16 function, ByteReader &r)
{
    switch (function) {
    case META_SELECTOBJECT: select(r.u16(Params)); return true;
    case META_DELETEOBJECT: objects_.remove(r.u16(Params)); return true;
    case META_CREATEPENINDIRECT: createPen(r); return true;
    case META_CREATEFONTINDIRECT: createFont(r); return true;
    case META_CREATEREGION: createRegion(r); return true;
    case META_CREATEBRUSHINDIRECT: {
        Brush brush;
        brush.style = r.u16(Params);
        brush.colour = readColorRef(r, Params + 2);
        brush.hatch = r.u16(Params + 6);
        objects_.addToLowestFree(brush);
        return true;
    }
    case META_DIBCREATEPATTERNBRUSH: {
        const QImage pattern = packedDibToImage(r.slice(Params + 4, r.size() - Params - 4));
        Brush brush;
        brush.colour = pattern.isNull() ? QColor(Qt::gray)
                                        : QColor(pattern.convertToFormat(QImage::Format_RGB32)
                                                     .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                                     .pixel(0, 0));
        objects_.addToLowestFree(brush);
        return true;
    }
    case META_CREATEPATTERNBRUSH:
        objects_.addToLowestFree(bitmapPatternBrush(r));
        return true;
    case META_CREATEPALETTE:
        // Still takes a slot: later handles count on it.
        objects_.addToLowestFree(Palette{});
        return true;
    default: return false;
    }
}

// A pattern from an old device-dependent bitmap, seen from afar: a
// two-colour one mixes the text and background colours; deeper ones are
// left a neutral grey.
Brush WmfPlayer::bitmapPatternBrush(ByteReader &r) const
{
    constexpr qsizetype Bits = Params + 32; // after the bitmap's header and reserved bytes
    const qint64 bytes = qint64(r.u16(Params + 4)) * r.u16(Params + 6);
    Brush brush;
    brush.colour = QColor(Qt::gray);
    if (r.u8(Params + 8) == 1 && r.u8(Params + 9) == 1 && r.holds(Bits, bytes, 1))
        brush.colour = twoColourMix(r.slice(Bits, qsizetype(bytes)), dc_.state().textColour, dc_.state().bkColour);
    return brush;
}

void WmfPlayer::select(quint16 index)
{
    const GdiObject *object = objects_.find(index);
    if (!object || dc_.select(*object))
        return;
    // Selecting a region sets the clip to it.
    if (const auto *area = std::get_if<Region>(object))
        dc_.combineClip(dc_.toDevice().map(area->area), gdi::RGN_COPY);
}

void WmfPlayer::createPen(ByteReader &r)
{
    Pen pen;
    pen.style = r.u16(Params);
    pen.width = std::abs(r.i16(Params + 2));
    pen.colour = readColorRef(r, Params + 6);
    pen.cosmetic = pen.width == 0;
    objects_.addToLowestFree(pen);
}

void WmfPlayer::createFont(ByteReader &r)
{
    Font font;
    font.height = r.i16(Params);
    font.width = std::abs(r.i16(Params + 2));
    font.escapement = r.i16(Params + 4);
    font.orientation = r.i16(Params + 6);
    font.weight = r.i16(Params + 8);
    font.italic = r.at<quint8>(Params + 10);
    font.underline = r.at<quint8>(Params + 11);
    font.strikeOut = r.at<quint8>(Params + 12);
    font.charset = r.at<quint8>(Params + 13);
    font.pitchAndFamily = r.at<quint8>(Params + 17);
    QByteArrayView face = r.slice(Params + 18, std::min<qsizetype>(32, r.size() - Params - 18));
    if (const qsizetype end = face.indexOf('\0'); end >= 0)
        face = face.first(end);
    font.face = decodeText(face, font.charset == gdi::SYMBOL_CHARSET ? gdi::ANSI_CHARSET : font.charset);
    objects_.addToLowestFree(font);
}

void WmfPlayer::createRegion(ByteReader &r)
{
    // Scans of bands, each with pairs of left and right edges; a region
    // whose scans do not add up, or that has too many rectangles, is its
    // bounding box.
    const QRectF box = boxOf(r.i16(Params + 14), r.i16(Params + 16), r.i16(Params + 18), r.i16(Params + 20));
    const int scans = r.u16(Params + 10);
    qsizetype at = Params + 22;
    QList<QRectF> rects;
    for (int i = 0; i < scans && !r.overrun() && rects.size() <= MaxRegionRects; ++i) {
        const int edges = r.u16(at);
        const double top = r.i16(at + 2);
        const double bottom = r.i16(at + 4);
        for (int e = 0; e + 1 < edges && r.holds(at + 6 + e * 2, 2, 2) && rects.size() <= MaxRegionRects; e += 2)
            rects << boxOf(r.i16(at + 6 + e * 2), top, r.i16(at + 8 + e * 2), bottom);
        at += 6 + edges * 2 + 2;
    }
    if (r.overrun())
        rects.clear();
    objects_.addToLowestFree(Region{regionArea(rects, box)});
}

const Region *WmfPlayer::region(quint16 index) const
{
    const GdiObject *object = objects_.find(index);
    return object ? std::get_if<Region>(object) : nullptr;
}

void WmfPlayer::fillRegion(const QPainterPath &device, const Brush &brush)
{
    const Brush kept = dc_.state().brush;
    dc_.state().brush = brush;
    canvas_.fillWithBrush(device);
    dc_.state().brush = kept;
}

bool WmfPlayer::playShape(quint16 function, ByteReader &r)
{
    const bool clockwise = dc_.arcsClockwise();
    const auto arc = [&](ArcKind kind) {
        return arcPath(reversedRect(r, Params + 8), pointAt(r, Params + 4), pointAt(r, Params), clockwise, kind);
    };
    const auto polygon = [&](qsizetype at) { return QPolygonF(readPoints(r, at + 2, r.u16(at), true)); };
    QPainterPath path;
    switch (function) {
    case META_LINETO: canvas_.lineTo({pointAt(r, Params)}); return true;
    case META_RECTANGLE: canvas_.shape(rectanglePath(reversedRect(r, Params))); return true;
    case META_ELLIPSE: canvas_.shape(ellipsePath(reversedRect(r, Params))); return true;
    case META_ROUNDRECT:
        canvas_.shape(roundRectPath(reversedRect(r, Params + 4), QSizeF(r.i16(Params + 2), r.i16(Params))));
        return true;
    case META_ARC: canvas_.figure(arc(ArcKind::Open)); return true;
    case META_CHORD: canvas_.shape(arc(ArcKind::Chord)); return true;
    case META_PIE: canvas_.shape(arc(ArcKind::Pie)); return true;
    case META_POLYLINE:
        path.addPolygon(polygon(Params));
        canvas_.figure(path);
        return true;
    case META_POLYGON:
        path.addPolygon(polygon(Params));
        path.closeSubpath();
        canvas_.shape(path);
        return true;
    case META_POLYPOLYGON: {
        const int polygons = r.u16(Params);
        qsizetype at = Params + 2 + polygons * 2;
        for (int i = 0; i < polygons && !r.overrun(); ++i) {
            const int count = r.u16(Params + 2 + i * 2);
            path.addPolygon(QPolygonF(readPoints(r, at, count, true)));
            path.closeSubpath();
            at += count * 4;
        }
        canvas_.shape(path);
        return true;
    }
    default: return false;
    }
}

bool WmfPlayer::playClip(quint16 function, ByteReader &r)
{
    const auto deviceRect = [&] { return dc_.toDevice().map(rectanglePath(reversedRect(r, Params))); };
    const Region *first = region(r.u16(Params));
    switch (function) {
    case META_INTERSECTCLIPRECT: dc_.combineClip(deviceRect(), gdi::RGN_AND); return true;
    case META_EXCLUDECLIPRECT: dc_.combineClip(deviceRect(), gdi::RGN_DIFF); return true;
    case META_OFFSETCLIPRGN: {
        const QTransform t = dc_.toDevice();
        dc_.offsetClip(t.map(pointAt(r, Params)) - t.map(QPointF(0, 0)));
        return true;
    }
    case META_SELECTCLIPREGION:
        if (first)
            dc_.combineClip(dc_.toDevice().map(first->area), gdi::RGN_COPY);
        else
            dc_.resetClip();
        return true;
    case META_PAINTREGION:
        if (first)
            fillRegion(dc_.toDevice().map(first->area), dc_.state().brush);
        return true;
    case META_FILLREGION:
    case META_FRAMEREGION: {
        // The region first, then the brush; a frame's height, then width.
        const GdiObject *brush = objects_.find(r.u16(Params + 2));
        if (!first || !brush || !std::holds_alternative<Brush>(*brush))
            return true;
        QPainterPath area = dc_.toDevice().map(first->area);
        if (function == META_FRAMEREGION)
            area = regionFrame(area, QSizeF(r.i16(Params + 6), r.i16(Params + 4)), dc_.toDevice());
        fillRegion(area, std::get<Brush>(*brush));
        return true;
    }
    default: return false;
    }
}

bool WmfPlayer::playText(quint16 function, ByteReader &r)
{
    switch (function) {
    case META_TEXTOUT: textOut(r); return true;
    case META_EXTTEXTOUT: extTextOut(r); return true;
    default: return false;
    }
}

void WmfPlayer::textOut(ByteReader &r)
{
    const int length = r.u16(Params);
    const qsizetype at = Params + 2 + ((length + 1) & ~1);
    TextRun run;
    run.text = decodeText(r.slice(Params + 2, length), dc_.state().font.charset);
    run.reference = pointAt(r, at);
    if (!r.overrun())
        drawText(canvas_, dc_, run);
}

void WmfPlayer::extTextOut(ByteReader &r)
{
    TextRun run;
    run.reference = pointAt(r, Params);
    const int length = r.u16(Params + 4);
    run.options = r.u16(Params + 6);
    qsizetype at = Params + 8;
    if (run.options & (gdi::ETO_OPAQUE | gdi::ETO_CLIPPED)) {
        run.rect = boxOf(r.i16(at), r.i16(at + 2), r.i16(at + 4), r.i16(at + 6));
        at += 8;
    }
    const QByteArrayView bytes = r.slice(at, length);
    if (bytes.size() != length)
        return;
    run.text = decodeText(bytes, dc_.state().font.charset);
    at += (length + 1) & ~1;
    // One advance per byte; double-byte text keeps its natural spacing.
    if (r.holds(at, length, 2) && run.text.size() == length)
        for (int i = 0; i < length; ++i)
            run.advances << r.i16(at + i * 2);
    drawText(canvas_, dc_, run);
}

bool WmfPlayer::playBitmap(quint16 function, ByteReader &r)
{
    switch (function) {
    case META_PATBLT: {
        const QRectF box(pointAt(r, Params + 8), QSizeF(r.i16(Params + 6), r.i16(Params + 4)));
        blit(canvas_, dc_, box, r.u32(Params), QImage());
        return true;
    }
    case META_BITBLT:
    case META_DIBBITBLT:
    case META_STRETCHBLT:
    case META_DIBSTRETCHBLT:
    case META_STRETCHDIB:
    case META_SETDIBTODEV: bitmapBlit(function, r); return true;
    default: return false;
    }
}

void WmfPlayer::bitmapBlit(quint16 function, ByteReader &r)
{
    // The bitmap-less forms of the blits keep one reserved word more and
    // are exactly as long as the function's high byte says.
    const bool withoutBitmap = r.size() == (qsizetype(function >> 8) + 3) * 2;
    const bool stretched = function == META_STRETCHBLT || function == META_DIBSTRETCHBLT;
    if (function == META_STRETCHDIB) {
        // rop, usage, source height, width, y, x, destination height, width, y, x.
        const qsizetype p = Params + 6;
        const QByteArrayView dib = r.slice(p + 16, r.size() - p - 16);
        const QRectF source(QPointF(r.i16(p + 6), r.i16(p + 4)), QSizeF(r.i16(p + 2), r.i16(p)));
        const QRectF dest(pointAt(r, p + 12), QSizeF(r.i16(p + 10), r.i16(p + 8)));
        blit(canvas_, dc_, dest, r.u32(Params), sourcePart(packedDibToImage(dib), source, dibBottomUp(dib)));
        return;
    }
    if (function == META_SETDIBTODEV) {
        // usage, scan count, first scan, source y, x, height, width, destination y, x.
        const qsizetype p = Params + 6;
        const QByteArrayView dib = r.slice(p + 12, r.size() - p - 12);
        const QRectF source(pointAt(r, p), QSizeF(r.i16(p + 6), r.i16(p + 4)));
        blit(canvas_, dc_, QRectF(pointAt(r, p + 8), source.size()), gdi::SRCCOPY,
             sourcePart(packedDibToImage(dib), source, dibBottomUp(dib)));
        return;
    }
    const unsigned rop = r.u32(Params);
    qsizetype p = Params + 4;
    QSizeF source;
    if (stretched) {
        source = QSizeF(r.i16(p + 2), r.i16(p));
        p += 4;
    }
    const QPointF sourceAt(r.i16(p + 2), r.i16(p));
    p += withoutBitmap ? 6 : 4;
    const QSizeF size(r.i16(p + 2), r.i16(p));
    const QPointF dest = pointAt(r, p + 4);
    QImage picture;
    if (!withoutBitmap && (function == META_DIBBITBLT || function == META_DIBSTRETCHBLT))
        picture = packedDibToImage(r.slice(p + 8, r.size() - p - 8));
    // The source rectangle is in the source device's units, from its top.
    if (stretched)
        picture = sourcePart(picture, QRectF(sourceAt, source), false);
    blit(canvas_, dc_, QRectF(dest, size), rop, picture);
}

} // namespace metafile
