// SPDX-License-Identifier: GPL-2.0-or-later
#include "Objects.h"

#include <bit>

namespace metafile {

namespace {

Brush solidBrush(QColor colour)
{
    Brush brush;
    brush.colour = colour;
    return brush;
}

Pen solidPen(QColor colour, unsigned style = gdi::PS_SOLID)
{
    Pen pen;
    pen.colour = colour;
    pen.style = style;
    return pen;
}

Font stockFont(const char *face, double height)
{
    Font font;
    font.face = QString::fromLatin1(face);
    font.height = height;
    return font;
}

} // namespace

GdiObject stockObject(quint32 index)
{
    switch (index & 0x7FFFFFFF) {
    case 0: return solidBrush(Qt::white);                 // WHITE_BRUSH
    case 1: return solidBrush(QColor(0xC0, 0xC0, 0xC0));  // LTGRAY_BRUSH
    case 2: return solidBrush(QColor(0x80, 0x80, 0x80));  // GRAY_BRUSH
    case 3: return solidBrush(QColor(0x40, 0x40, 0x40));  // DKGRAY_BRUSH
    case 4: return solidBrush(Qt::black);                 // BLACK_BRUSH
    case 5: {                                             // NULL_BRUSH
        Brush none;
        none.style = gdi::BS_NULL;
        return none;
    }
    case 6: return solidPen(Qt::white);                   // WHITE_PEN
    case 7: return solidPen(Qt::black);                   // BLACK_PEN
    case 8: return solidPen(Qt::black, gdi::PS_NULL);     // NULL_PEN
    case 10: return stockFont("Courier New", 16);         // OEM_FIXED_FONT
    case 11: return stockFont("Courier New", 16);         // ANSI_FIXED_FONT
    case 12: return stockFont("Arial", 16);               // ANSI_VAR_FONT
    case 13: return stockFont("Arial", 16);               // SYSTEM_FONT
    case 14: return stockFont("Arial", 16);               // DEVICE_DEFAULT_FONT
    case 15: return Palette{};                            // DEFAULT_PALETTE
    case 16: return stockFont("Courier New", 16);         // SYSTEM_FIXED_FONT
    case 17: return stockFont("Arial", 12);               // DEFAULT_GUI_FONT
    case 18: return solidBrush(Qt::white);                // DC_BRUSH
    case 19: return solidPen(Qt::black);                  // DC_PEN
    default: return std::monostate{};
    }
}

QColor twoColourMix(QByteArrayView bits, const QColor &zero, const QColor &one)
{
    if (bits.isEmpty())
        return zero;
    qint64 ones = 0;
    for (const char byte : bits)
        ones += std::popcount(quint8(byte));
    const double share = double(ones) / double(bits.size() * 8);
    return QColor::fromRgbF(zero.redF() + (one.redF() - zero.redF()) * share,
                            zero.greenF() + (one.greenF() - zero.greenF()) * share,
                            zero.blueF() + (one.blueF() - zero.blueF()) * share);
}

} // namespace metafile
