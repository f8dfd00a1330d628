// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QRectF>
#include <QTransform>

#include "ByteReader.h"

// What the EMF+ player's files share: the record types, the bits of the
// records' flags and the small fields many records hold.
namespace metafile::emfplus {

inline constexpr quint32 Signature = 0x2B464D45; // "EMF+" in a comment

enum Record : quint16 {
    Header = 0x4001, EndOfFile = 0x4002, Object = 0x4008, Clear = 0x4009, FillRects = 0x400A,
    DrawRects = 0x400B, FillPolygon = 0x400C, DrawLines = 0x400D, FillEllipse = 0x400E, DrawEllipse = 0x400F,
    FillPie = 0x4010, DrawPie = 0x4011, DrawArc = 0x4012, FillRegion = 0x4013, FillPath = 0x4014,
    DrawPath = 0x4015, FillClosedCurve = 0x4016, DrawClosedCurve = 0x4017, DrawCurve = 0x4018,
    DrawBeziers = 0x4019, DrawImage = 0x401A, DrawImagePoints = 0x401B, DrawString = 0x401C,
    Save = 0x4025, Restore = 0x4026, BeginContainer = 0x4027, BeginContainerNoParams = 0x4028,
    EndContainer = 0x4029, SetWorldTransform = 0x402A, ResetWorldTransform = 0x402B,
    MultiplyWorldTransform = 0x402C, TranslateWorldTransform = 0x402D, ScaleWorldTransform = 0x402E,
    RotateWorldTransform = 0x402F, SetPageTransform = 0x4030, ResetClip = 0x4031, SetClipRect = 0x4032,
    SetClipPath = 0x4033, SetClipRegion = 0x4034, OffsetClip = 0x4035, DrawDriverString = 0x4036
};

// Bits of a record's flags; the low byte names an object.
enum Flag : quint16 {
    Relative = 0x0800,    // points are offsets from the one before
    Append = 0x2000,      // a transform applies after the world transform, not before
    Winding = 0x2000,     // closed curves fill by the winding rule
    Closed = 0x2000,      // lines end where they began
    Compressed = 0x4000,  // points and rectangles are 16-bit integers
    InlineColour = 0x8000 // the brush is an ARGB colour, not an object
};

enum ObjectType { BrushObject = 1, PenObject, PathObject, RegionObject, ImageObject, FontObject, FormatObject };

// Units of pens, fonts and the page.
enum Unit { World = 0, Display, Pixel, Point, Inch, Document, Millimetre };

inline QColor readArgb(ByteReader &r, qsizetype at)
{
    return QColor::fromRgba(r.u32(at));
}

inline QPointF readPointF(ByteReader &r, qsizetype at)
{
    return QPointF(r.f32(at), r.f32(at + 4));
}

inline QRectF readRectF(ByteReader &r, qsizetype at)
{
    return QRectF(r.f32(at), r.f32(at + 4), r.f32(at + 8), r.f32(at + 12));
}

// A rectangle as 16-bit integers when `compressed`, floats otherwise.
inline QRectF readRect(ByteReader &r, qsizetype at, bool compressed)
{
    return compressed ? QRectF(r.i16(at), r.i16(at + 2), r.i16(at + 4), r.i16(at + 6)) : readRectF(r, at);
}

inline qsizetype rectSize(bool compressed)
{
    return compressed ? 8 : 16;
}

inline QTransform readMatrix(ByteReader &r, qsizetype at)
{
    return QTransform(r.f32(at), r.f32(at + 4), r.f32(at + 8), r.f32(at + 12), r.f32(at + 16), r.f32(at + 20));
}

} // namespace metafile::emfplus
