// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlayer.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>

#include "ByteReader.h"
#include "EmfRecords.h"
#include "Records.h"
#include "Shapes.h"

namespace metafile {

using namespace emf;

namespace {

// The average colour of a pattern: what its tiles look like from afar.
QColor averageColour(const QImage &image)
{
    if (image.isNull())
        return Qt::black;
    const QImage small = image.convertToFormat(QImage::Format_RGB32).scaled(1, 1, Qt::IgnoreAspectRatio,
                                                                             Qt::SmoothTransformation);
    return QColor(small.pixel(0, 0));
}

} // namespace

std::optional<EmfHeader> readEmfHeader(QByteArrayView bytes)
{
    ByteReader r(bytes);
    if (r.u32(0) != EMR_HEADER || r.u32(40) != EmfSignature || r.u32(4) < 88 || r.overrun())
        return std::nullopt;
    EmfHeader header;
    header.bounds = QRectF(QPointF(r.i32(8), r.i32(12)), QPointF(r.i32(16), r.i32(20)));
    header.frame = QRectF(QPointF(r.i32(24), r.i32(28)), QPointF(r.i32(32), r.i32(36)));
    header.handles = r.u16(56);
    const double deviceX = r.i32(72);
    const double deviceY = r.i32(76);
    const double mmX = r.i32(80);
    const double mmY = r.i32(84);
    if (deviceX > 0 && deviceY > 0 && mmX > 0 && mmY > 0)
        header.pixelsPerMm = QSizeF(deviceX / mmX, deviceY / mmY);
    else
        header.pixelsPerMm = QSizeF(ScreenPixelsPerMm, ScreenPixelsPerMm);
    return header;
}

EmfPlayer::EmfPlayer(QByteArrayView bytes, const EmfHeader &header, QPainter *painter)
    : bytes_(bytes), dc_(header.pixelsPerMm), objects_(header.handles), canvas_(painter, dc_)
{
}

void emf::forEachRecord(QByteArrayView bytes, const std::function<bool(quint32 type, ByteReader &record)> &play)
{
    qsizetype at = 0;
    for (qint64 n = 0; n < MaxRecords && at <= bytes.size() - 8; ++n) {
        ByteReader head(bytes.sliced(at, 8));
        const quint32 type = head.u32(0);
        const quint32 size = head.u32(4);
        if (size < 8 || size % 4 != 0 || size > quint64(bytes.size() - at) || type == EMR_EOF)
            return;
        ByteReader record(bytes.sliced(at, size));
        if (!play(type, record))
            return;
        at += size;
    }
}

void EmfPlayer::play()
{
    emf::forEachRecord(bytes_, [this](quint32 type, ByteReader &record) {
        playRecord(type, record);
        // Past its work budget a hostile file has cost enough.
        return !canvas_.exhausted();
    });
}

void EmfPlayer::playRecord(quint32 type, ByteReader &r)
{
    // Each group tells whether the record was its own; unknown ones are skipped.
    playState(type, r) || playMapping(type, r) || playObject(type, r) || playShape(type, r)
        || playPoly(type, r) || playPath(type, r) || playClip(type, r) || playText(type, r)
        || playBitmap(type, r);
}

bool EmfPlayer::playState(quint32 type, ByteReader &r)
{
    DcState &s = dc_.state();
    switch (type) {
    case EMR_SETBKMODE: s.bkMode = int(r.u32(8)); return true;
    case EMR_SETPOLYFILLMODE: s.polyFill = int(r.u32(8)); return true;
    case EMR_SETROP2: s.rop2 = int(r.u32(8)); return true;
    case EMR_SETTEXTALIGN: s.textAlign = r.u32(8); return true;
    case EMR_SETTEXTCOLOR: s.textColour = readColorRef(r, 8); return true;
    case EMR_SETBKCOLOR: s.bkColour = readColorRef(r, 8); return true;
    case EMR_SETARCDIRECTION: s.clockwiseArcs = r.u32(8) == 2; return true;
    case EMR_SAVEDC: dc_.save(); return true;
    case EMR_RESTOREDC: dc_.restore(r.i32(8)); return true;
    case EMR_MOVETOEX: canvas_.moveTo(readPoint(r, 8)); return true;
    default: return false;
    }
}

bool EmfPlayer::playMapping(quint32 type, ByteReader &r)
{
    DcState &s = dc_.state();
    const QSizeF size(r.i32(8), r.i32(12));
    const QPointF point(r.i32(8), r.i32(12));
    const auto scaled = [&r](QSizeF ext) {
        const double xd = r.i32(12);
        const double yd = r.i32(20);
        return xd && yd ? QSizeF(ext.width() * r.i32(8) / xd, ext.height() * r.i32(16) / yd) : ext;
    };
    switch (type) {
    case EMR_SETMAPMODE: dc_.setMapMode(int(r.u32(8))); return true;
    case EMR_SETWINDOWEXTEX: dc_.setWindowExt(size); return true;
    case EMR_SETWINDOWORGEX: dc_.setWindowOrg(point); return true;
    case EMR_SETVIEWPORTEXTEX: dc_.setViewportExt(size); return true;
    case EMR_SETVIEWPORTORGEX: dc_.setViewportOrg(point); return true;
    case EMR_SCALEVIEWPORTEXTEX: dc_.setViewportExt(scaled(s.viewportExt)); return true;
    case EMR_SCALEWINDOWEXTEX: dc_.setWindowExt(scaled(s.windowExt)); return true;
    case EMR_SETWORLDTRANSFORM: dc_.setWorld(readXform(r, 8)); return true;
    case EMR_MODIFYWORLDTRANSFORM: dc_.modifyWorld(readXform(r, 8), int(r.u32(32))); return true;
    default: return false;
    }
}

bool EmfPlayer::playObject(quint32 type, ByteReader &r)
{
    switch (type) {
    case EMR_SELECTOBJECT: select(r.u32(8)); return true;
    case EMR_DELETEOBJECT: objects_.remove(r.u32(8)); return true;
    case EMR_CREATEPEN: createPen(r); return true;
    case EMR_EXTCREATEPEN: createExtPen(r); return true;
    case EMR_EXTCREATEFONTINDIRECTW: createFont(r); return true;
    case EMR_CREATEPALETTE: objects_.put(r.u32(8), Palette{}); return true;
    case EMR_CREATEMONOBRUSH: {
        // Its 0 bits are drawn in the text colour, its 1 bits in the background's.
        Brush brush;
        brush.colour = twoColourMix(r.slice(r.u32(24), r.u32(28)), dc_.state().textColour, dc_.state().bkColour);
        objects_.put(r.u32(8), brush);
        return true;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: createPatternBrush(r); return true;
    case EMR_CREATEBRUSHINDIRECT: {
        Brush brush;
        brush.style = int(r.u32(12));
        brush.colour = readColorRef(r, 16);
        brush.hatch = int(r.u32(20));
        objects_.put(r.u32(8), brush);
        return true;
    }
    default: return false;
    }
}

void EmfPlayer::select(quint32 handle)
{
    const GdiObject stock = (handle & 0x80000000) ? stockObject(handle) : GdiObject{};
    const GdiObject *object = (handle & 0x80000000) ? &stock : objects_.find(handle);
    if (object)
        dc_.select(*object);
}

void EmfPlayer::createPen(ByteReader &r)
{
    Pen pen;
    pen.style = r.u32(12);
    pen.width = r.i32(16);
    pen.colour = readColorRef(r, 24);
    // A width of 0 is one device pixel whatever the mapping; any other width
    // is mapped, and drawn no thinner than a pixel.
    pen.cosmetic = pen.width == 0;
    pen.width = std::abs(pen.width);
    objects_.put(r.u32(8), pen);
}

void EmfPlayer::createExtPen(ByteReader &r)
{
    Pen pen;
    pen.style = r.u32(28);
    pen.width = r.u32(32);
    pen.colour = readColorRef(r, 40);
    pen.extended = true;
    pen.cosmetic = !(pen.style & gdi::PS_GEOMETRIC) || pen.width == 0;
    if (r.u32(36) == gdi::BS_NULL)
        pen.style = (pen.style & ~unsigned(gdi::PS_STYLE_MASK)) | gdi::PS_NULL;
    objects_.put(r.u32(8), pen);
}

void EmfPlayer::createFont(ByteReader &r)
{
    Font font;
    font.height = r.i32(12);
    font.width = std::abs(r.i32(16));
    font.escapement = r.i32(20);
    font.orientation = r.i32(24);
    font.weight = r.i32(28);
    font.italic = r.at<quint8>(32);
    font.underline = r.at<quint8>(33);
    font.strikeOut = r.at<quint8>(34);
    font.charset = r.at<quint8>(35);
    font.pitchAndFamily = r.at<quint8>(39);
    font.face = readUtf16(r, 40, 32);
    font.face.truncate(font.face.indexOf(QChar(0)) < 0 ? font.face.size() : font.face.indexOf(QChar(0)));
    objects_.put(r.u32(8), font);
}

void EmfPlayer::createPatternBrush(ByteReader &r)
{
    // Drawn as the pattern's average colour.
    Brush brush;
    const QImage pattern = recordDib(r, r.u32(16), r.u32(20), r.u32(24), r.u32(28));
    brush.style = gdi::BS_SOLID;
    brush.colour = averageColour(pattern);
    objects_.put(r.u32(8), brush);
}

bool EmfPlayer::playShape(quint32 type, ByteReader &r)
{
    const QRectF box = readRect(r, 8);
    const bool clockwise = dc_.arcsClockwise();
    switch (type) {
    case EMR_RECTANGLE: canvas_.shape(rectanglePath(box)); return true;
    case EMR_ELLIPSE: canvas_.shape(ellipsePath(box)); return true;
    case EMR_ROUNDRECT: canvas_.shape(roundRectPath(box, QSizeF(r.i32(24), r.i32(28)))); return true;
    case EMR_ARC:
        canvas_.figure(arcPath(box, readPoint(r, 24), readPoint(r, 32), clockwise, ArcKind::Open));
        return true;
    case EMR_CHORD:
        canvas_.shape(arcPath(box, readPoint(r, 24), readPoint(r, 32), clockwise, ArcKind::Chord));
        return true;
    case EMR_PIE:
        canvas_.shape(arcPath(box, readPoint(r, 24), readPoint(r, 32), clockwise, ArcKind::Pie));
        return true;
    case EMR_ARCTO: {
        const QPainterPath arc = arcPath(box, readPoint(r, 24), readPoint(r, 32), clockwise, ArcKind::Open);
        if (arc.isEmpty())
            return true;
        canvas_.lineTo({arcStart(arc)});
        QList<QPointF> curve;
        for (int i = 1; i < arc.elementCount(); ++i)
            curve << arc.elementAt(i);
        canvas_.bezierTo(curve);
        return true;
    }
    case EMR_ANGLEARC: angleArc(r); return true;
    case EMR_LINETO: canvas_.lineTo({readPoint(r, 8)}); return true;
    case EMR_SETPIXELV: {
        const QPointF p = dc_.map(readPoint(r, 8));
        QPainterPath dot;
        dot.addRect(QRectF(p, QSizeF(1, 1)));
        canvas_.fill(dot, QBrush(readColorRef(r, 16)));
        return true;
    }
    default: return false;
    }
}

void EmfPlayer::angleArc(ByteReader &r)
{
    const QPointF centre = readPoint(r, 8);
    const double radius = r.u32(16);
    const double start = r.f32(20);
    const double sweep = r.f32(24);
    if (!std::isfinite(start) || !std::isfinite(sweep) || radius > 1e9)
        return;
    const QRectF box(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    QPainterPath arc;
    arc.arcMoveTo(box, start);
    arc.arcTo(box, start, std::clamp(sweep, -3600.0, 3600.0));
    canvas_.lineTo({arcStart(arc)});
    QList<QPointF> curve;
    for (int i = 1; i < arc.elementCount(); ++i)
        curve << arc.elementAt(i);
    canvas_.bezierTo(curve);
}

bool EmfPlayer::playPoly(quint32 type, ByteReader &r)
{
    const bool small = type >= EMR_POLYBEZIER16;
    const auto points = [&] { return readPoints(r, 28, r.u32(24), small); };
    switch (type) {
    case EMR_POLYGON:
    case EMR_POLYGON16: {
        QPainterPath path;
        path.addPolygon(points());
        path.closeSubpath();
        canvas_.shape(path);
        return true;
    }
    case EMR_POLYLINE:
    case EMR_POLYLINE16: {
        QPainterPath path;
        path.addPolygon(points());
        canvas_.figure(path);
        return true;
    }
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16: {
        const QList<QPointF> p = points();
        if (p.isEmpty())
            return true;
        QPainterPath path(p.first());
        for (qsizetype i = 1; i + 2 < p.size(); i += 3)
            path.cubicTo(p[i], p[i + 1], p[i + 2]);
        canvas_.figure(path);
        return true;
    }
    case EMR_POLYLINETO:
    case EMR_POLYLINETO16: canvas_.lineTo(points()); return true;
    case EMR_POLYBEZIERTO:
    case EMR_POLYBEZIERTO16: canvas_.bezierTo(points()); return true;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16: polyPoly(r, small, false); return true;
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16: polyPoly(r, small, true); return true;
    case EMR_POLYDRAW: polyDraw(r, false); return true;
    case EMR_POLYDRAW16: polyDraw(r, true); return true;
    default: return false;
    }
}

void EmfPlayer::polyPoly(ByteReader &r, bool shortPoints, bool closed)
{
    const qint64 polygons = r.u32(24);
    const qint64 total = r.u32(28);
    if (polygons > MaxPoints || !r.holds(32, polygons, 4))
        return;
    const QList<QPointF> all = readPoints(r, 32 + qsizetype(polygons) * 4, total, shortPoints);
    QPainterPath path;
    qsizetype next = 0;
    for (qint64 i = 0; i < polygons; ++i) {
        const qint64 count = r.u32(32 + qsizetype(i) * 4);
        if (count > all.size() - next)
            break;
        path.addPolygon(QPolygonF(all.mid(next, count)));
        if (closed)
            path.closeSubpath();
        next += count;
    }
    if (closed)
        canvas_.shape(path);
    else
        canvas_.figure(path);
}

void EmfPlayer::polyDraw(ByteReader &r, bool shortPoints)
{
    const qint64 count = r.u32(24);
    const QList<QPointF> points = readPoints(r, 28, count, shortPoints);
    const qsizetype typesAt = 28 + qsizetype(points.size()) * (shortPoints ? 4 : 8);
    if (points.isEmpty() || !r.holds(typesAt, count, 1))
        return;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const quint8 kind = r.at<quint8>(typesAt + i);
        if ((kind & 6) == 6) {
            canvas_.moveTo(points[i]);
        } else if ((kind & 6) == 4 && i + 2 < points.size()) {
            canvas_.bezierTo(points.mid(i, 3));
            i += 2;
        } else {
            canvas_.lineTo({points[i]});
        }
        if (kind & 1)
            canvas_.closeFigure();
    }
}

bool EmfPlayer::playPath(quint32 type, ByteReader &)
{
    switch (type) {
    case EMR_BEGINPATH:
        dc_.recording = QPainterPath();
        canvas_.moveTo(dc_.state().position);
        return true;
    case EMR_ENDPATH:
        if (dc_.recording)
            dc_.lastPath = *dc_.recording;
        dc_.recording.reset();
        return true;
    case EMR_ABORTPATH:
        dc_.recording.reset();
        dc_.lastPath = QPainterPath();
        return true;
    case EMR_CLOSEFIGURE: canvas_.closeFigure(); return true;
    case EMR_WIDENPATH: {
        // The path becomes the area a stroke of it with the current pen
        // covers, without overlaps, so that either fill mode fills all of it.
        if (dc_.recording)
            return true;
        const QPen pen = canvas_.pen();
        QPainterPathStroker stroker(pen);
        stroker.setWidth(std::max(1.0, pen.widthF()));
        dc_.lastPath = stroker.createStroke(dc_.lastPath).simplified();
        return true;
    }
    case EMR_FILLPATH: pathFill(true, false); return true;
    case EMR_STROKEPATH: pathFill(false, true); return true;
    case EMR_STROKEANDFILLPATH: pathFill(true, true); return true;
    default: return false;
    }
}

void EmfPlayer::pathFill(bool fill, bool stroke)
{
    // A path still open is ended by the operation that uses it.
    if (dc_.recording) {
        dc_.lastPath = *dc_.recording;
        dc_.recording.reset();
    }
    if (fill)
        canvas_.fillWithBrush(dc_.lastPath);
    if (stroke)
        canvas_.stroke(dc_.lastPath);
    dc_.lastPath = QPainterPath();
}

bool EmfPlayer::playClip(quint32 type, ByteReader &r)
{
    const auto deviceRect = [&] {
        QPainterPath box;
        box.addRect(readRect(r, 8));
        return dc_.toDevice().map(box);
    };
    switch (type) {
    case EMR_INTERSECTCLIPRECT: dc_.combineClip(deviceRect(), gdi::RGN_AND); return true;
    case EMR_EXCLUDECLIPRECT: dc_.combineClip(deviceRect(), gdi::RGN_DIFF); return true;
    case EMR_OFFSETCLIPRGN: {
        const QTransform t = dc_.toDevice();
        dc_.offsetClip(t.map(readPoint(r, 8)) - t.map(QPointF(0, 0)));
        return true;
    }
    case EMR_SELECTCLIPPATH:
        if (dc_.recording)
            dc_.lastPath = *dc_.recording;
        dc_.recording.reset();
        dc_.combineClip(dc_.lastPath, int(r.u32(8)));
        dc_.lastPath = QPainterPath();
        return true;
    case EMR_EXTSELECTCLIPRGN: {
        const qsizetype size = r.u32(8);
        const int mode = int(r.u32(12));
        if (size == 0 && mode == gdi::RGN_COPY)
            dc_.resetClip();
        else if (size > 0)
            dc_.combineClip(readRegionData(r, 16, size), mode);
        return true;
    }
    case EMR_FILLRGN:
    case EMR_FRAMERGN: {
        const GdiObject *object = objects_.find(r.u32(28));
        const GdiObject stock = stockObject(r.u32(28));
        const Brush *brush = std::get_if<Brush>((r.u32(28) & 0x80000000) ? &stock : object);
        if (!brush)
            return true;
        if (type == EMR_FILLRGN)
            fillRegion(readRegionData(r, 32, r.u32(24)), *brush);
        else
            fillRegion(regionFrame(readRegionData(r, 40, r.u32(24)), QSizeF(r.i32(32), r.i32(36)), dc_.toDevice()),
                       *brush);
        return true;
    }
    case EMR_PAINTRGN: fillRegion(readRegionData(r, 28, r.u32(24)), dc_.state().brush); return true;
    default: return false;
    }
}

void EmfPlayer::fillRegion(const QPainterPath &device, const Brush &brush)
{
    const Brush kept = dc_.state().brush;
    dc_.state().brush = brush;
    canvas_.fillWithBrush(device);
    dc_.state().brush = kept;
}

} // namespace metafile
