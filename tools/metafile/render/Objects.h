// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QPainterPath>
#include <QString>

#include <variant>

#include "Gdi.h"

namespace metafile {

struct Pen
{
    unsigned style = gdi::PS_SOLID; // with end cap and join bits
    double width = 0;               // logical units; 0 is one device pixel
    QColor colour = Qt::black;
    bool cosmetic = true;           // one device pixel, whatever the mapping
    bool extended = false;          // from EXTCREATEPEN: dashes at any width
};

struct Brush
{
    int style = gdi::BS_SOLID;
    QColor colour = Qt::white;
    int hatch = 0;
};

struct Font
{
    double height = 0; // logical units: < 0 em height, > 0 cell height
    double width = 0;
    double escapement = 0;  // of the baseline, tenths of a degree counter-clockwise
    double orientation = 0; // of each glyph, the same way
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = gdi::DEFAULT_CHARSET;
    int pitchAndFamily = 0;
    QString face;
};

// A region in the units it was made in (logical for WMF, device for EMF).
struct Region
{
    QPainterPath area;
};

struct Palette
{
};

using GdiObject = std::variant<std::monostate, Pen, Brush, Font, Region, Palette>;

// The stock objects a handle with the high bit set names.
GdiObject stockObject(quint32 index);

// A two-colour pattern seen from afar: its 0 bits take `zero`, its 1 bits
// `one`, mixed in the share its bits give.
QColor twoColourMix(QByteArrayView bits, const QColor &zero, const QColor &one);

} // namespace metafile
