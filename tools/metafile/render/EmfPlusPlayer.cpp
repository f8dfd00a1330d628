// SPDX-License-Identifier: GPL-2.0-or-later
#include "EmfPlusPlayer.h"

#include <cmath>

#include "ByteReader.h"
#include "EmfPlusPaths.h"
#include "EmfPlusRecords.h"
#include "EmfPlusStyles.h"
#include "EmfPlusText.h"
#include "EmfRecords.h"
#include "Records.h"

namespace metafile {

using namespace emfplus;

namespace {

constexpr quint32 VideoDisplay = 0x1;

// From the EMF+ header, in the comment after the EMF header.
ReferenceDevice referenceDevice(QByteArrayView bytes)
{
    ByteReader file(bytes);
    const qsizetype at = file.u32(4);
    ByteReader header(bytes.sliced(std::min(at, bytes.size())));
    ReferenceDevice device;
    const double x = header.u32(36), y = header.u32(40);
    if (x >= 1 && y >= 1 && x <= 100000 && y <= 100000)
        device.dpi = QSizeF(x, y);
    device.video = header.u32(32) & VideoDisplay;
    return device;
}

// The whole picture in device pixels, as Clear fills it: the frame, or the
// bounds of a file without one.
QRectF pageOf(const EmfHeader &header)
{
    const QRectF frame = header.frame.adjusted(0, 0, 1, 1);
    const QSizeF perMm = header.pixelsPerMm / 100;
    if (frame.isValid())
        return QRectF(frame.x() * perMm.width(), frame.y() * perMm.height(), frame.width() * perMm.width(),
                      frame.height() * perMm.height());
    return header.bounds.adjusted(0, 0, 1, 1);
}

bool finite(const QTransform &t)
{
    const double values[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    return std::all_of(std::begin(values), std::end(values), [](double v) { return std::isfinite(v); });
}

// GDI's region modes for GDI+'s combine modes, but complement.
constexpr int gdiModes[] = {gdi::RGN_COPY, gdi::RGN_AND, gdi::RGN_OR, gdi::RGN_XOR, gdi::RGN_DIFF};

} // namespace

EmfPlusPlayer::EmfPlusPlayer(QByteArrayView bytes, const EmfHeader &header, QPainter *painter)
    : bytes_(bytes),
      page_(pageOf(header)),
      state_(referenceDevice(bytes)),
      dc_(header.pixelsPerMm),
      canvas_(painter, dc_)
{
}

void EmfPlusPlayer::play()
{
    emf::forEachRecord(bytes_, [this](quint32 type, ByteReader &record) {
        return type != emf::EMR_COMMENT || playComment(record);
    });
}

bool EmfPlusPlayer::playComment(ByteReader &comment)
{
    if (comment.u32(12) != Signature)
        return true;
    const qsizetype end = std::min<qint64>(12 + qint64(comment.u32(8)), comment.size());
    for (qsizetype at = 16; at <= end - 12;) {
        const quint16 type = comment.u16(at);
        const quint16 flags = comment.u16(at + 2);
        const qint64 size = comment.u32(at + 4);
        // A record that does not fit its comment ends the comment's records.
        if (size < 12 || size > end - at)
            return true;
        if (type == EndOfFile)
            return false;
        ByteReader data(comment.slice(at + 12, std::min<qint64>(comment.u32(at + 8), size - 12)));
        playRecord(type, flags, data);
        if (canvas_.exhausted())
            return false;
        at += qsizetype(size);
    }
    return true;
}

void EmfPlusPlayer::playRecord(quint16 type, quint16 flags, ByteReader &r)
{
    // Each group tells whether the record was its own; the rest (hints for
    // antialiasing, text and compositing, the GDI hand-over) change nothing
    // drawn here.
    if (type == Object)
        return readObject(flags, r);
    playState(type, flags, r) || playTransform(type, flags, r) || playClip(type, flags, r)
        || playFill(type, flags, r) || playDraw(type, flags, r) || playText(type, flags, r)
        || playImage(type, flags, r);
}

bool EmfPlusPlayer::playState(quint16 type, quint16, ByteReader &r)
{
    switch (type) {
    case Save:
    case BeginContainerNoParams: state_.save(r.u32(0)); return true;
    case Restore:
    case EndContainer: state_.restore(r.u32(0)); return true;
    case BeginContainer: {
        // The container's units map its source rectangle onto the
        // destination one.
        const QRectF to = readRectF(r, 0), from = readRectF(r, 16);
        state_.save(r.u32(32));
        const QTransform map = QTransform::fromTranslate(-from.x(), -from.y())
            * QTransform::fromScale(to.width() / from.width(), to.height() / from.height())
            * QTransform::fromTranslate(to.x(), to.y());
        if (finite(map) && !r.overrun())
            state_.transform(map, false);
        return true;
    }
    case Clear:
        dc_.state().clip = state_.current().clip;
        canvas_.fill(rectanglePath(page_), QBrush(readArgb(r, 0)));
        return true;
    default: return false;
    }
}

bool EmfPlusPlayer::playTransform(quint16 type, quint16 flags, ByteReader &r)
{
    const bool append = flags & Append;
    QTransform by;
    switch (type) {
    case ResetWorldTransform: state_.current().world = QTransform(); return true;
    case SetPageTransform: state_.setPage(flags & 0xFF, r.f32(0)); return true;
    case SetWorldTransform:
        if (const QTransform world = readMatrix(r, 0); finite(world) && !r.overrun())
            state_.current().world = world;
        return true;
    case MultiplyWorldTransform: by = readMatrix(r, 0); break;
    case TranslateWorldTransform: by = QTransform::fromTranslate(r.f32(0), r.f32(4)); break;
    case ScaleWorldTransform: by = QTransform::fromScale(r.f32(0), r.f32(4)); break;
    case RotateWorldTransform: by.rotate(std::fmod(double(r.f32(0)), 360.0)); break;
    default: return false;
    }
    if (finite(by) && !r.overrun())
        state_.transform(by, append);
    return true;
}

bool EmfPlusPlayer::playClip(quint16 type, quint16 flags, ByteReader &r)
{
    const int mode = (flags >> 8) & 0x0F;
    const QTransform toDevice = state_.toDevice();
    switch (type) {
    case ResetClip: state_.current().clip.reset(); return true;
    case SetClipRect: {
        QPainterPath rect;
        rect.addRect(readRectF(r, 0).normalized());
        combineClip(toDevice.map(rect), mode);
        return true;
    }
    case SetClipPath:
        if (const PlusPath *path = objects_.find<PlusPath>(flags & 0xFF))
            combineClip(toDevice.map(path->path), mode);
        return true;
    case SetClipRegion:
        if (const PlusRegion *region = objects_.find<PlusRegion>(flags & 0xFF))
            combineClip(toDevice.map(region->area), mode);
        return true;
    case OffsetClip:
        if (auto &clip = state_.current().clip)
            clip->translate(toDevice.map(readPointF(r, 0)) - toDevice.map(QPointF()));
        return true;
    default: return false;
    }
}

void EmfPlusPlayer::combineClip(const QPainterPath &device, int mode)
{
    auto &clip = state_.current().clip;
    if (mode > 5 || !std::isfinite(device.controlPointRect().width()))
        return;
    // Complement keeps what the new area has beyond the old.
    const bool complement = mode == 5;
    dc_.state().clip = clip;
    dc_.combineClip(complement ? device.subtracted(clip.value_or(everything())) : device,
                    complement ? gdi::RGN_COPY : gdiModes[mode]);
    clip = dc_.state().clip;
}

void EmfPlusPlayer::readObject(quint16 flags, ByteReader &r)
{
    const std::optional<QByteArray> bytes = objects_.gather(flags, r);
    if (!bytes)
        return;
    ByteReader object(*bytes);
    const quint32 id = flags & 0xFF;
    const auto put = [&](auto read) {
        if (auto value = read())
            objects_.put(id, *value);
        else
            objects_.put(id, std::monostate{});
    };
    switch ((flags >> 8) & 0x7F) {
    case BrushObject: return put([&] { return readBrush(object, 0, object.size()); });
    case PenObject: return put([&] { return readPen(object); });
    case PathObject: return put([&] {
        const auto path = readPath(object, 0, canvas_.budget());
        return path ? std::optional(PlusPath{*path}) : std::nullopt;
    });
    case RegionObject: return put([&] {
        const auto area = readRegion(object, canvas_.budget());
        return area ? std::optional(PlusRegion{*area}) : std::nullopt;
    });
    case ImageObject: return put([&] { return readImage(object, allowance_); });
    case FontObject: return put([&] { return readFont(object); });
    case FormatObject: return put([&] { return std::optional(readFormat(object)); });
    default: objects_.put(id, std::monostate{}); // image attributes, line caps: not drawn here
    }
}

std::optional<PlusBrush> EmfPlusPlayer::brushOf(quint16 flags, quint32 id) const
{
    if (flags & InlineColour) {
        PlusBrush brush;
        brush.colour = QColor::fromRgba(id);
        return brush;
    }
    const PlusBrush *brush = objects_.find<PlusBrush>(id);
    return brush ? std::optional(*brush) : std::nullopt;
}

void EmfPlusPlayer::fill(const QPainterPath &world, const std::optional<PlusBrush> &brush)
{
    if (!brush)
        return;
    const QTransform toDevice = state_.toDevice();
    const QPainterPath device = toDevice.map(world);
    dc_.state().clip = state_.current().clip;
    if (brush->kind != PlusBrush::Hatch)
        return canvas_.fill(device, deviceBrush(*brush, toDevice));
    // GDI's hatches are drawn the same.
    DcState &gdiState = dc_.state();
    gdiState.brush = Brush{gdi::BS_HATCHED, brush->colour, brush->hatch};
    gdiState.bkMode = brush->back.alpha() ? gdi::OPAQUE : gdi::TRANSPARENT;
    gdiState.bkColour = brush->back;
    gdiState.polyFill = device.fillRule() == Qt::WindingFill ? gdi::WINDING : gdi::ALTERNATE;
    canvas_.fillWithBrush(device);
}

void EmfPlusPlayer::stroke(const QPainterPath &world, quint32 penId)
{
    const PlusPen *pen = objects_.find<PlusPen>(penId);
    if (!pen)
        return;
    const QTransform toDevice = state_.toDevice();
    const double width = state_.toWorld(pen->width, pen->unit) * state_.deviceScale();
    // Lines no wider than a device pixel are drawn one pixel wide, however
    // the picture is shown.
    dc_.state().clip = state_.current().clip;
    canvas_.stroke(toDevice.map(world), devicePen(*pen, width > 1 ? width : 0, toDevice));
}

} // namespace metafile
