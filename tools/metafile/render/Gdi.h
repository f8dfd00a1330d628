// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace metafile {

// The resolution GDI's fixed-size details (hatch spacing, default font
// height) are drawn at: a 96 dpi screen.
inline constexpr double ScreenPixelsPerMm = 96 / 25.4;

} // namespace metafile

// The device context's modes and styles, with the values the records carry.
namespace metafile::gdi {

enum MapMode { MM_TEXT = 1, MM_LOMETRIC, MM_HIMETRIC, MM_LOENGLISH, MM_HIENGLISH, MM_TWIPS, MM_ISOTROPIC, MM_ANISOTROPIC };

enum BkMode { TRANSPARENT = 1, OPAQUE = 2 };
enum PolyFill { ALTERNATE = 1, WINDING = 2 };
enum Rop2 { R2_BLACK = 1, R2_NOP = 11, R2_COPYPEN = 13, R2_WHITE = 16 };

enum TextAlign : unsigned {
    TA_UPDATECP = 0x01, TA_RIGHT = 0x02, TA_CENTER = 0x06, TA_HORIZONTAL = 0x06,
    TA_BOTTOM = 0x08, TA_BASELINE = 0x18, TA_VERTICAL = 0x18, TA_RTLREADING = 0x100
};

enum ExtTextOptions : unsigned { ETO_OPAQUE = 0x02, ETO_CLIPPED = 0x04, ETO_GLYPH_INDEX = 0x10, ETO_PDY = 0x2000 };

enum PenStyle : unsigned {
    PS_SOLID = 0, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE,
    PS_STYLE_MASK = 0x0F, PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200, PS_ENDCAP_MASK = 0xF00,
    PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000, PS_JOIN_MASK = 0xF000, PS_GEOMETRIC = 0x10000
};

enum BrushStyle { BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2, BS_PATTERN = 3, BS_DIBPATTERN = 5, BS_DIBPATTERNPT = 6 };

enum Charset {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77, SHIFTJIS_CHARSET = 128,
    HANGUL_CHARSET = 129, GB2312_CHARSET = 134, CHINESEBIG5_CHARSET = 136, OEM_CHARSET = 255,
    GREEK_CHARSET = 161, TURKISH_CHARSET = 162, VIETNAMESE_CHARSET = 163, HEBREW_CHARSET = 177,
    ARABIC_CHARSET = 178, BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204, THAI_CHARSET = 222, EASTEUROPE_CHARSET = 238
};

// Raster operations of the blits that need no source bitmap, and the
// common ones that copy it.
enum Rop : unsigned {
    BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062, PATCOPY = 0x00F00021, DSTINVERT = 0x00550009,
    SRCCOPY = 0x00CC0020, SRCAND = 0x008800C6, SRCPAINT = 0x00EE0086, SRCINVERT = 0x00660046,
    NOP = 0x00AA0029
};

enum ClipMode { RGN_AND = 1, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY };

} // namespace metafile::gdi
