// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QGradientStops>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <QTransform>

#include <optional>
#include <variant>

namespace metafile::emfplus {

struct LinearGradient
{
    QRectF rect;         // world units; the colours change along its width
    QGradientStops stops;
    QGradient::Spread spread = QGradient::PadSpread;
    QTransform transform; // the brush's own, before the world transform
};

struct PlusBrush
{
    enum Kind { Solid, Hatch, Linear } kind = Solid;
    QColor colour = Qt::black; // solid, or the hatch's lines
    QColor back;               // between the hatch's lines
    int hatch = 0;             // one of GDI's six directions
    std::optional<LinearGradient> gradient;
};

struct PlusPen
{
    double width = 1; // in `unit`; 0 is one device pixel
    int unit = 0;
    PlusBrush brush;
    Qt::PenStyle style = Qt::SolidLine;
    QList<qreal> dashes; // in pen widths, for a custom dash
    Qt::PenCapStyle cap = Qt::FlatCap;
    Qt::PenJoinStyle join = Qt::MiterJoin;
    double miterLimit = 10;
};

struct PlusPath
{
    QPainterPath path; // world units
};

struct PlusRegion
{
    QPainterPath area; // world units
};

struct PlusImage
{
    QImage image;
    QSizeF size; // in the image's own pixels, which source rectangles count
};

struct PlusFont
{
    double em = 0; // in `unit`
    int unit = 0;
    int style = 0; // bold 1, italic 2, underline 4, strike-out 8
    QString family;
};

struct PlusFormat
{
    int align = 0;     // near, centre, far along the line
    int lineAlign = 0; // the same across lines
    bool noWrap = false;
    bool noClip = false; // text beyond the layout box shows
};

using PlusObject = std::variant<std::monostate, PlusBrush, PlusPen, PlusPath, PlusRegion, PlusImage, PlusFont,
                                PlusFormat>;

} // namespace metafile::emfplus
