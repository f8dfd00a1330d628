// SPDX-License-Identifier: GPL-2.0-or-later
// The metafile renderer draws records as a Windows device context would:
// each test writes a small metafile, renders it and looks at the pixels.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <gtest/gtest.h>

#include "metafile/Rendered.h"
#include "render/Charset.h"
#include "render/Gdi.h"
#include "render/Renderer.h"
#include "render/SymbolFonts.h"
#include "support/EmfWriter.h"
#include "support/WmfWriter.h"

using metafile::Kind;
using namespace std::string_literals;
namespace gdi = metafile::gdi;

namespace {

// Pixels a line crosses down a column; a hairline between two rows
// darkens both by half.
int inkInColumn(const QImage &image, int x)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += qGray(image.pixel(x, y)) < 100;
    return count;
}

QRect inked(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (dark(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// `shown` as Qt draws it in Symbola, its em `em` pixels, on the baseline
// at `origin`, over grey.
QImage drawnInSymbola(char32_t shown, double em, QPointF origin, QSize size)
{
    QFont face(QStringLiteral("Symbola"));
    face.setPixelSize(256);
    face.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0, 0, face, QString::fromUcs4(&shown, 1));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Grey);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath((QTransform::fromScale(em / 256, em / 256) * QTransform::fromTranslate(origin.x(), origin.y()))
                         .map(path),
                     Qt::black);
    return image;
}

// The share of the inked pixels of either picture that only one has.
double inkDifference(const QImage &a, const QImage &b)
{
    int either = 0, one = 0;
    for (int i = 0; i < a.width() * a.height(); ++i) {
        const bool p = dark(a.pixel(i % a.width(), i / a.width())), q = dark(b.pixel(i % a.width(), i / a.width()));
        either += p || q;
        one += p != q;
    }
    return either ? double(one) / either : 1;
}

// EXTCREATEFONTINDIRECTW of a LOGFONTW, made as object 1 and selected.
void emfFont(EmfWriter &emf, qint32 height, int charset, const QString &face, QPoint angles = {})
{
    // Height, width, escapement, orientation, weight, italic, underline,
    // strike-out and charset, precisions, quality and pitch, the face.
    QList<qint32> font{1, height, 0, angles.x(), angles.y(), 400, charset << 24, 0};
    const QString name = face.leftJustified(32, QChar(0));
    for (int i = 0; i < 32; i += 2)
        font << (name[i].unicode() | name[i + 1].unicode() << 16);
    emf.record(82, font); // EXTCREATEFONTINDIRECTW
    emf.record(37, {1});  // SELECTOBJECT
}

// EXTTEXTOUTW of UTF-16 `codes` at `reference`, in a graphics mode, with
// options and advances.
void emfText(EmfWriter &emf, QPoint reference, const QList<char16_t> &codes, int graphicsMode = 1,
             qint32 options = 0, const QList<qint32> &advances = {})
{
    const qint32 words = qint32(codes.size() + 1) / 2;
    QList<qint32> record{0, 0, 100, 100, graphicsMode, 0, 0, reference.x(), reference.y(), qint32(codes.size()), 76,
                         options, 0, 0, 0, 0, advances.isEmpty() ? 0 : 76 + words * 4};
    for (qint32 i = 0; i < words; ++i)
        record << (codes[i * 2] | (i * 2 + 1 < codes.size() ? qint32(codes[i * 2 + 1]) << 16 : 0));
    emf.record(84, record << advances);
}

void font(WmfWriter &wmf, qint16 height, quint8 charset = 0)
{
    // height, width, escapement, orientation, weight, italic|underline,
    // strike-out|charset, precisions, quality|pitch, face "Arial".
    wmf.record(0x02FB, {height, 0, 0, 0, 400, 0, qint16(charset << 8), 0, 0, 0x7241, 0x6169, 0x006C});
    wmf.record(0x012D, {0});
}

} // namespace

TEST(MetafileRender, DeviceContextDefaults)
{
    // No brush selected: the default is white; the default pen is black.
    WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000); // a 1000 × 1000 unit drawing on one inch
    wmf.rectangle(QRect(100, 100, 800, 800));
    const QImage image = rendered(wmf.placeable(), Kind::Wmf);
    EXPECT_EQ(image.pixelColor(100, 100), QColor(Qt::white));
    EXPECT_LT(std::min(qGray(image.pixel(19, 100)), qGray(image.pixel(20, 100))), 100);
    EXPECT_EQ(image.pixelColor(5, 5), Grey);
}

TEST(MetafileRender, BackgroundModeFillsBetweenHatchLines)
{
    const struct { qint16 mode; QColor between; } cases[] = {{gdi::OPAQUE, Qt::red}, {gdi::TRANSPARENT, Grey}};
    for (const auto &c : cases) {
        WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
        wmf.record(0x0201, {0x00FF, 0});                  // SETBKCOLOR red
        wmf.record(0x0102, {c.mode});                     // SETBKMODE
        wmf.record(0x02FC, {gdi::BS_HATCHED, 0, 0, 1});   // black vertical hatch
        wmf.record(0x012D, {0});
        wmf.record(0x02FA, {gdi::PS_NULL, 0, 0, 0, 0});   // no outline
        wmf.record(0x012D, {1});
        wmf.rectangle(QRect(0, 0, 1000, 1000));
        const QImage image = rendered(wmf.placeable(), Kind::Wmf, QSize(96, 96));
        int between = 0, lines = 0;
        for (int x = 10; x < 86; ++x) {
            between += image.pixelColor(x, 48) == c.between;
            lines += dark(image.pixel(x, 48));
        }
        EXPECT_GT(between, 40) << c.mode;
        EXPECT_GT(lines, 4) << c.mode;
    }
}

TEST(MetafileRender, PenWidthsMapThroughTheWindow)
{
    // One inch drawn at 400 pixels. A window of 10 000 units: a pen one
    // unit wide maps to less than a pixel and is a hairline, one 500 units
    // wide is 20 pixels. A window of 10 units: one unit is 40 pixels, and
    // only a pen of width 0 stays a hairline.
    const struct { qint16 window, width; int minPixels, maxPixels; } cases[] = {
        {10000, 0, 1, 2}, {10000, 1, 1, 2}, {10000, 500, 18, 22}, {10, 0, 1, 2}, {10, 1, 37, 43}};
    for (const auto &c : cases) {
        WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
        wmf.record(0x020C, {c.window, c.window}); // SETWINDOWEXT
        wmf.record(0x02FA, {gdi::PS_SOLID, c.width, 0, 0, 0});
        wmf.record(0x012D, {0});
        wmf.record(0x0214, {qint16(c.window / 2), 0});        // MOVETO, y first
        wmf.record(0x0213, {qint16(c.window / 2), c.window}); // LINETO
        const QImage image = rendered(wmf.placeable(), Kind::Wmf, QSize(400, 400));
        const int pixels = inkInColumn(image, 200);
        EXPECT_GE(pixels, c.minPixels) << c.window << " " << c.width;
        EXPECT_LE(pixels, c.maxPixels) << c.window << " " << c.width;
    }
}

TEST(MetafileRender, FontHeightIsEmOrCell)
{
    // A negative height is the em, a positive one the whole cell: the same
    // number draws the letter larger as an em.
    const auto inkHeight = [](qint16 height) {
        WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
        font(wmf, height);
        wmf.record(0x0521, {1, 'H', 100, 100}); // TEXTOUT "H", its cell's top at y = 100
        return inked(rendered(wmf.placeable(), Kind::Wmf, QSize(500, 500))).height();
    };
    // Cap height about 0.72 em: 144 px for the em of 200 px.
    EXPECT_NEAR(inkHeight(-400), 144, 8);
    EXPECT_GT(inkHeight(-400), inkHeight(400) * 1.08);
}

TEST(MetafileRender, EscapementTurnsTextAsSeenOnTheDevice)
{
    // "HHHH" on its baseline at the device's (50, 50). The ink lies on one
    // side of that point across and along the baseline: which sides tell
    // which way the text reads and where the glyphs' tops point. A mapping
    // with y up mirrors the angle in the compatible graphics mode, as charts
    // use it: their 2700 reads upwards. The advanced mode turns each glyph
    // by the orientation on its own.
    // The angles are the escapement and the orientation; the ink is on the
    // sides -1 (left of or above the point) or 1 (right of or below it).
    const struct { const char *name; int mapMode; QPoint angles; int graphicsMode, xSide, ySide; bool tall; } cases[] = {
        {"y down, 0", gdi::MM_TEXT, {0, 0}, 1, 1, -1, false},
        {"y down, 900 reads up", gdi::MM_TEXT, {900, 900}, 1, -1, -1, true},
        {"y down, 2700 reads down", gdi::MM_TEXT, {2700, 2700}, 1, 1, 1, true},
        {"y up, 0 stays upright", gdi::MM_ISOTROPIC, {0, 0}, 1, 1, -1, false},
        {"y up, 900 reads down", gdi::MM_ISOTROPIC, {900, 900}, 1, 1, 1, true},
        {"y up, 2700 reads up", gdi::MM_ISOTROPIC, {2700, 2700}, 1, -1, -1, true},
        {"metric, 2700 reads up", gdi::MM_LOMETRIC, {2700, 2700}, 1, -1, -1, true},
        {"advanced, upright glyphs up a column", gdi::MM_TEXT, {900, 0}, 2, 1, -1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const int unit = c.mapMode == gdi::MM_LOMETRIC ? 10 : 1; // logical units per device pixel
        EmfWriter emf(QRect(0, 0, 9999, 9999), QSize(100, 100), QSize(100, 100));
        emf.record(17, {c.mapMode});                // SETMAPMODE
        if (c.mapMode == gdi::MM_ISOTROPIC) {
            emf.record(9, {100, 100});              // SETWINDOWEXTEX
            emf.record(11, {100, -100});            // SETVIEWPORTEXTEX
        }
        if (c.mapMode != gdi::MM_TEXT)
            emf.record(12, {0, 100});               // SETVIEWPORTORGEX: y up from the bottom
        emf.record(22, {gdi::TA_BASELINE});         // SETTEXTALIGN
        emfFont(emf, -12 * unit, gdi::ANSI_CHARSET, QStringLiteral("DejaVu Sans"), c.angles);
        emfText(emf, QPoint(50, 50) * unit, {'H', 'H', 'H', 'H'}, c.graphicsMode);
        const QRect ink = inked(rendered(emf.bytes(), Kind::Emf, QSize(100, 100)));
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink.height() > ink.width(), c.tall) << ink.width() << " x " << ink.height();
        // The ink's edges nearest the point are at it.
        EXPECT_NEAR(c.xSide > 0 ? ink.left() : ink.right(), 50, 3) << ink.left() << " to " << ink.right();
        EXPECT_NEAR(c.ySide > 0 ? ink.top() : ink.bottom(), 50, 3) << ink.top() << " to " << ink.bottom();
    }
}

TEST(MetafileRender, TextAdvancesComeFromTheRecords)
{
    // "II" in a 100-unit em at x = 50: the second stem lands where the
    // record's advance, or the character's own width and the extra space
    // SETTEXTCHAREXTRA asks for, puts it.
    // The text is a TEXTOUT or an EXTTEXTOUT record's words.
    const struct { const char *name; qint16 extra; QList<qint16> text; quint16 function; int width; } cases[] = {
        {"advances 800 and 0", 0, {200, 50, 2, 0, 0x4949, 800, 0}, 0x0A32, 810},
        {"character extra 500", 500, {2, 0x4949, 200, 50}, 0x0521, 540},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
        font(wmf, -100);
        wmf.record(0x0108, {c.extra}); // SETTEXTCHAREXTRA
        wmf.record(c.function, c.text);
        const QRect ink = inked(rendered(wmf.placeable(), Kind::Wmf, QSize(1000, 1000)));
        EXPECT_NEAR(ink.width(), c.width, 15);
        EXPECT_NEAR(ink.left(), 60, 15);
    }
}

TEST(MetafileRender, CharacterSetsChooseTheCodePage)
{
    // A symbol font's codes are the characters that font shows, 0 where
    // Unicode has nothing like it; other fonts' bytes are their code page's.
    const struct { QByteArray bytes; int charset; const char *face; std::u32string shown; } cases[] = {
        {"a", gdi::SYMBOL_CHARSET, "Symbol", U"α"s}, {"\xB4\xA3\xE5", gdi::SYMBOL_CHARSET, "Symbol", U"×≤∑"s},
        {"J!\xFF", gdi::SYMBOL_CHARSET, "Wingdings", U"☺\U0001F589\0"s},
        {"a\xFA", gdi::SYMBOL_CHARSET, "Wingdings 2", U"\U0001F666\0"s},
        {"\xA4", gdi::SYMBOL_CHARSET, "wingdings 3", U"\U0001F80B"s},
        {"\xA7", gdi::SYMBOL_CHARSET, "Webdings", U"\U0001F56E"s}, {"a", gdi::SYMBOL_CHARSET, "Marlett", U"a"s},
        {"hL\x72\x31", gdi::SYMBOL_CHARSET, "MT Extra", U"ℏ⋯\u20D7\0"s},
        {"\xF9\xEC\xE5\xED", gdi::HEBREW_CHARSET, "Arial", U"שלום"s},
        {"\xCC\xE8\xF0", gdi::RUSSIAN_CHARSET, "Arial", U"Мир"s},
        {"\xE9", gdi::ANSI_CHARSET, "Arial", U"é"s}, {"\x82\xA0", gdi::SHIFTJIS_CHARSET, "Arial", U"あ"s},
    };
    for (const auto &c : cases) {
        const auto font = metafile::symbolFontNamed(QString::fromLatin1(c.face));
        const QList<char32_t> shown = metafile::symbolCharacters(font, metafile::decodeText(c.bytes, c.charset));
        EXPECT_EQ(std::u32string(shown.begin(), shown.end()), c.shown) << c.face;
    }
}

TEST(MetafileRender, SymbolFontsShowTheirCharactersInSymbola)
{
    // A code at (20, 80) on the baseline, its em 60 pixels, in a symbol font
    // that is not here: the character it stands for, as Symbola draws it
    // (serif, as Symbol's own letters and signs are).
    ASSERT_EQ(QRawFont::fromFont(QFont(QStringLiteral("Symbola"))).familyName(), QStringLiteral("Symbola"));
    // Codes as UTF-16 text keeps them: plain or at U+F0xx.
    const struct { const char *face; char16_t code; char32_t shown; } cases[] = {
        {"Symbol", 0xE5, U'∑'}, {"Symbol", 0xF044, U'Δ'}, {"Symbol", 0xD6, U'√'},
        {"Wingdings", 0xF04A, U'☺'}, {"Wingdings", 0xF021, U'\U0001F589'}, {"MT Extra", 'h', U'ℏ'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.face + std::to_string(c.code));
        EmfWriter emf(QRect(0, 0, 9999, 9999), QSize(100, 100), QSize(100, 100));
        emf.record(22, {gdi::TA_BASELINE});
        emf.record(18, {gdi::TRANSPARENT}); // SETBKMODE
        emfFont(emf, -60, gdi::SYMBOL_CHARSET, QString::fromLatin1(c.face));
        emfText(emf, QPoint(20, 80), {c.code});
        const QImage image = rendered(emf.bytes(), Kind::Emf, QSize(100, 100));
        ASSERT_GT(inked(image).width(), 10);
        EXPECT_LT(inkDifference(image, drawnInSymbola(c.shown, 60, QPointF(20, 80), image.size())), 0.1);
    }
}

TEST(MetafileRender, UnreadableInputGivesNoDrawing)
{
    EXPECT_TRUE(metafile::renderMetafileSvg(QByteArray(100, '\xFF'), Kind::Emf).isEmpty());
    EXPECT_TRUE(metafile::renderMetafileSvg("\x01\x00\x09", Kind::Wmf).isEmpty());
}

TEST(MetafileRender, CodesOfAMissingFontShowAsEmptyBoxes)
{
    // Glyph numbers, and the codes of a symbol font nobody here can read,
    // mean something only in their own font: without it, each is an empty
    // box in its place, never another font's letter. So are the codes of a
    // known symbol font whose pictures Unicode lacks (Wingdings' 0xFF).
    const struct { const char *name; int charset; const char *face; QList<char16_t> codes; qint32 options; } cases[] = {
        {"glyph numbers", gdi::ANSI_CHARSET, "No Such Face", {3, 4}, 0x10},
        {"a symbol font's codes", gdi::SYMBOL_CHARSET, "No Such Face", {3, 4}, 0},
        {"codes Unicode has nothing like", gdi::SYMBOL_CHARSET, "Wingdings", {0xF0FF, 0xF0FF}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EmfWriter emf(QRect(0, 0, 9999, 9999), QSize(100, 100), QSize(100, 100));
        emfFont(emf, -40, c.charset, QString::fromLatin1(c.face));
        // Two codes at (10, 20) 40 apart; 3 and 4 as glyph numbers are blank
        // in most fonts.
        emfText(emf, QPoint(10, 20), c.codes, 1, c.options, {40, 40});
        const QImage image = rendered(emf.bytes(), Kind::Emf, QSize(100, 100));
        const QRect ink = inked(image);
        ASSERT_GT(ink.height(), 15);
        EXPECT_GE(inkInColumn(image, ink.left() + 1), 15);                  // a box's side
        EXPECT_FALSE(dark(image.pixel(ink.left() + 8, ink.center().y()))); // its hollow inside
        EXPECT_GT(ink.width(), 55);                                         // and the second box
    }
}

TEST(MetafileRender, AMonochromePatternBrushMixesTextAndBackgroundColours)
{
    // An 8 × 8 pattern of an old device bitmap, a quarter of its bits set:
    // from afar, three parts text colour (black) to one of background (white).
    WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
    QList<qint16> brush{0, 8, 8, 2, 0x0101, 0, 0}; // type, size, row bytes, planes and depth, bits
    brush << QList<qint16>(9, 0) << QList<qint16>(8, 0x000F);
    wmf.record(0x01F9, brush); // CREATEPATTERNBRUSH
    wmf.record(0x012D, {0});   // SELECTOBJECT
    wmf.record(0x041B, {900, 900, 100, 100}); // RECTANGLE
    const QImage image = rendered(wmf.placeable(), Kind::Wmf);
    EXPECT_NEAR(qGray(image.pixel(100, 100)), 64, 12);
}

TEST(MetafileRender, ShapesInkWhereTheDeviceContextPutsThem)
{
    // EMF records on a device of 100 × 100 pixels (unless told) over
    // 100 mm, drawn at 100 × 100: dark, not dark and white where told, and
    // no ink outside `within`.
    const QList<qint32> blackBrush{qint32(0x80000004)};
    const auto band = [](qint32 start) { // SETDIBITSTODEVICE: five rows of a 10 × 10 bottom-up bitmap
        const QList<qint32> record{0, 0, 10, 10, 0, 0, 0, 0, 10, 10, // bounds, destination, source
                                   76, 40, 116, 160, 0, start, 5,     // where the header and bits are, the band
                                   40, 10, 10, 0x180001, 0, 160, 0, 0, 0, 0}; // 24-bit header, 10 rows
        return record + QList<qint32>(40, start == 0 ? 0 : -1);
    };
    const struct { const char *name; QList<std::pair<quint32, QList<qint32>>> records; QList<QPoint> dark, light,
                   white = {}; QRect within = {0, 0, 100, 100}; QSize device = {100, 100}; } cases[] = {
        // SELECTOBJECT, BEGINPATH, MOVETOEX, POLYBEZIERTO, CLOSEFIGURE, ENDPATH, FILLPATH
        {"a filled curve from (20, 80) through control points up to y = 20 and back down to (80, 80)",
         {{37, blackBrush}, {59, {}}, {27, {20, 80}}, {5, {0, 0, -1, -1, 3, 20, 20, 80, 20, 80, 80}}, {61, {}},
          {60, {}}, {62, {0, 0, -1, -1}}},
         {{23, 77}, {50, 50}, {77, 77}}, {}, {}, {19, 19, 63, 63}},
        // 10 pixels per mm across and 5 down: the 100 mm square frame is
        // 1000 × 500 device pixels, its left half 500 × 500 (RECTANGLE).
        {"the frame's proportions on pixels twice as tall as wide", {{37, blackBrush}, {43, {0, 0, 500, 500}}},
         {{25, 50}, {25, 97}}, {{75, 50}}, {}, {0, 0, 100, 100}, {1000, 500}},
        // SETMAPMODE anisotropic, SETWINDOWEXTEX, SETWINDOWORGEX, SETVIEWPORTEXTEX, PIE
        {"a pie counter-clockwise from the right to the top, logical y running up: the upper right quarter",
         {{17, {8}}, {9, {100, -100}}, {10, {0, 100}}, {11, {100, 100}}, {37, blackBrush},
          {47, {10, 10, 90, 90, 90, 50, 50, 90}}},
         {{65, 35}}, {{35, 65}, {35, 35}}},
        // FRAMERGN: bounds, data size, brush, stroke; the region's header, one rectangle
        {"a square region framed 5 pixels wide: the border only",
         {{72, {20, 20, 80, 80, 48, qint32(0x80000004), 5, 5, 32, 1, 1, 16, 20, 20, 80, 80, 20, 20, 80, 80}}},
         {{22, 50}, {50, 77}}, {{50, 50}, {15, 50}}},
        {"bitmap bands on their own rows, the lower one black, the upper white", {{80, band(0)}, {80, band(5)}},
         {{5, 7}}, {}, {{5, 2}}},
        // CREATEPEN, SELECTOBJECT, BEGINPATH, MOVETOEX, LINETO, ENDPATH, WIDENPATH, FILLPATH
        {"a widened path filled where its stroke 10 wide would be",
         {{38, {1, gdi::PS_SOLID, 10, 0, 0}}, {37, {1}}, {37, blackBrush}, {59, {}}, {27, {10, 50}}, {54, {90, 50}},
          {60, {}}, {66, {}}, {62, {0, 0, -1, -1}}},
         {{50, 50}, {50, 53}}, {{50, 42}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EmfWriter emf(QRect(0, 0, 9999, 9999), c.device, QSize(100, 100));
        for (const auto &[type, params] : c.records)
            emf.record(type, params);
        const QImage image = rendered(emf.bytes(), Kind::Emf, QSize(100, 100));
        for (const QPoint p : c.dark + c.light)
            EXPECT_EQ(dark(image.pixel(p)), c.dark.contains(p)) << p.x() << ", " << p.y();
        for (const QPoint p : c.white)
            EXPECT_GT(qGray(image.pixel(p)), 240) << p.x() << ", " << p.y();
        EXPECT_TRUE(c.within.contains(inked(image)));
    }
}
