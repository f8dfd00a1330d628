// SPDX-License-Identifier: GPL-2.0-or-later
// Small files that ask the renderer for far more work than they are worth.
#include <QElapsedTimer>

#include <functional>

#include <gtest/gtest.h>

#include "metafile/EmfPlusWriter.h"
#include "metafile/Rendered.h"
#include "support/EmfWriter.h"
#include "support/Pictures.h"
#include "support/WmfWriter.h"

using metafile::Kind;

namespace {

// 1000 × 1000 device pixels, with a black square in the top left corner
// drawn before anything hostile.
EmfWriter emfWithMarker()
{
    EmfWriter emf(QRect(0, 0, 9999, 9999), QSize(1000, 1000), QSize(100, 100));
    emf.record(37, {qint32(0x80000004)}); // SELECTOBJECT BLACK_BRUSH
    emf.record(43, {0, 0, 100, 100});     // RECTANGLE
    return emf;
}

// The same drawn by EMF+ records alone.
EmfPlusWriter plusWithMarker()
{
    EmfPlusWriter plus(QSize(1000, 1000), QSize(100, 100));
    plus.record(0x400A, 0x8000, le({0xFF000000, 1}) + floats({0, 0, 100, 100})); // FillRects, black
    return plus;
}

} // namespace

TEST(MetafileHostileInput, EndsCleanlyWithBoundedOutputAndKeepsWhatCameBefore)
{
    // Some rows then ask for a drawing in the middle of the picture, which
    // must be refused (the middle stays blank) or still drawn.
    const struct { const char *name; Kind kind; qsizetype maxSvgBytes; std::function<QByteArray()> build;
                   std::optional<bool> middleInked = {}; } rows[] = {
        {"long glyph run", Kind::Emf, 8 << 20, [] {
            EmfWriter emf = emfWithMarker();
            emf.record(82, QList<qint32>{1, -20, 0, 0, 0, 400, 0, 0} + QList<qint32>(16, 0)); // EXTCREATEFONTINDIRECTW
            emf.record(37, {1});
            const int glyphs = 100000; // two to a word
            const QList<qint32> text{200, 500, glyphs, 76, 0x10, 0, 0, 0, 0, 0};
            emf.record(84, QList<qint32>{0, 0, 0, 0, 1, 0x3F800000, 0x3F800000} + text
                               + QList<qint32>(glyphs / 2, 0x00240024));
            return emf.bytes();
        }},
        {"huge WMF region", Kind::Wmf, 256 << 10, [] {
            WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
            wmf.blackBrush();
            wmf.rectangle(QRect(0, 0, 100, 100));
            const int scans = 200;
            QList<qint16> region{0, 6, 0, 0, 0, scans, 0, 200, 200, 1000, 1000};
            for (int s = 0; s < scans; ++s) {
                region << 400 << qint16(200 + s * 4) << qint16(202 + s * 4);
                for (int x = 0; x < 200; ++x)
                    region << qint16(200 + x * 4) << qint16(202 + x * 4);
                region << 400;
            }
            wmf.record(0x06FF, region);                  // CREATEREGION
            wmf.record(0x012D, {1});                     // SELECTOBJECT: the clip
            wmf.rectangle(QRect(200, 200, 800, 800));
            return wmf.placeable();
        }},
        {"exploding extents", Kind::Emf, 256 << 10, [] {
            EmfWriter emf = emfWithMarker();
            emf.record(17, {8}); // SETMAPMODE MM_ANISOTROPIC
            for (int i = 0; i < 40; ++i)
                emf.record(31, {0x7FFFFFFF, 1, 0x7FFFFFFF, 1}); // SCALEVIEWPORTEXTEX
            emf.record(43, {200, 200, 500, 500});
            emf.record(42, {200, 200, 500, 500});
            return emf.bytes();
        }},
        {"cross hatch over a big area", Kind::Emf, 256 << 10, [] {
            EmfWriter emf = emfWithMarker();
            emf.record(39, {1, 2, 0, 4}); // CREATEBRUSHINDIRECT HS_CROSS
            emf.record(37, {1});
            emf.record(37, {qint32(0x80000008)}); // NULL_PEN
            emf.record(42, {200, 200, 30200, 30200});
            return emf.bytes();
        }},
        {"many object creates", Kind::Wmf, 256 << 10, [] {
            WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
            for (int i = 0; i < 70000; ++i)
                wmf.record(0x02FC, {0, -1, 0x00FF, 0}); // white brushes, past the table's size
            wmf.record(0x01F0, {3});                    // DELETEOBJECT: the lowest free slot
            wmf.blackBrush();                           // takes slot 3 ...
            wmf.record(0x012D, {3});                    // ... which is selected
            wmf.rectangle(QRect(0, 0, 100, 100));
            return wmf.placeable();
        }},
        {"big clip", Kind::Emf, 256 << 10, [] {
            EmfWriter emf = emfWithMarker();
            QList<qint32> rects;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 200; ++x)
                    rects << 200 + x * 4 << 200 + y * 4 << 202 + x * 4 << 202 + y * 4;
            emf.record(75, QList<qint32>{qint32(32 + rects.size() * 4), 5, 32, 1, 20000, qint32(rects.size() * 4), 200,
                                         200, 1000, 600} + rects); // EXTSELECTCLIPRGN RGN_COPY
            emf.record(43, {200, 200, 1000, 1000});
            return emf.bytes();
        }},
        {"big bitmap into a small destination", Kind::Emf, 256 << 10, [] {
            EmfWriter emf = emfWithMarker();
            const int side = 1024;
            QList<qint32> pixels;
            quint32 noise = 1; // incompressible, as a photograph is
            for (int i = 0; i < side * side; ++i)
                pixels << qint32(noise = noise * 1664525u + 1013904223u);
            const QList<qint32> bitmapInfo{40, side, side, 1 | (32 << 16), 0, 0, 0, 0, 0, 0};
            emf.record(81, QList<qint32>{200, 200, 210, 210, 200, 200, 0, 0, side, side, 80, 40, 120, side * side * 4, 0,
                                         0x00CC0020, 10, 10} + bitmapInfo + pixels); // STRETCHDIBITS
            return emf.bytes();
        }},
        {"EMF+ counts far beyond the records", Kind::Emf, 256 << 10, [] {
            EmfPlusWriter plus = plusWithMarker();
            plus.record(0x400A, 0x8000, le({0xFF000000, 0x7FFFFFFF}) + floats({0, 0, 900, 900})); // FillRects
            plus.record(0x400C, 0x8000, le({0xFF000000, 0x7FFFFFFF}) + floats({0, 0, 900, 0, 0, 900})); // FillPolygon
            plus.record(0x401C, 0x8000, le({0xFF000000, 0, 0x7FFFFFFF}));                     // DrawString
            return plus.bytes();
        }, false},
        {"EMF+ object 200", Kind::Emf, 256 << 10, [] {
            EmfPlusWriter plus = plusWithMarker();
            plus.object(200, 1, le({0xDBC01002, 0, 0xFFFF0000}));            // a red brush
            plus.record(0x400A, 0, le({200, 1}) + floats({200, 200, 500, 500})); // FillRects with it
            return plus.bytes();
        }, false},
        {"EMF+ continued object claiming 2 GB", Kind::Emf, 256 << 10, [] {
            EmfPlusWriter plus = plusWithMarker();
            for (int i = 0; i < 200; ++i) // continued pieces of a red brush
                plus.object(1, 0x81, le({0x80000000, 0xDBC01002, 0, 0xFFFF0000}) + QByteArray(4096, '\x11'));
            plus.record(0x400A, 0, le({1, 1}) + floats({200, 200, 500, 500}));
            return plus.bytes();
        }, false},
        {"EMF+ containers nested 100 000 deep", Kind::Emf, 256 << 10, [] {
            EmfPlusWriter plus = plusWithMarker();
            for (int i = 0; i < 100000; ++i)
                plus.record(0x4028, 0, le({i})); // BeginContainerNoParams
            plus.record(0x400E, 0x8000, le({0xFF000000}) + floats({400, 400, 200, 200})); // FillEllipse
            return plus.bytes();
        }, true},
        {"EMF+ path of 10^8 points", Kind::Emf, 256 << 10, [] {
            EmfPlusWriter plus = plusWithMarker();
            plus.object(2, 3, le({0xDBC01002, 100000000, 0}) + floats({0, 0, 900, 0, 900, 900, 0, 900})
                                  + QByteArray("\x00\x01\x01\x01", 4)); // a square path, but for its count
            plus.record(0x4014, 0x8002, le({0xFF000000}));                                // FillPath
            return plus.bytes();
        }, false},
        {"EMF+ region nested 10 000 deep", Kind::Emf, 256 << 10, [] {
            EmfPlusWriter plus = plusWithMarker();
            QByteArray region = le({0xDBC01002, 10000});
            for (int i = 0; i < 10000; ++i)
                region += le({2}); // union of the nodes that follow, ...
            region += le({0x10000003}); // ... the innermost one infinite,
            for (int i = 0; i < 10000; ++i)
                region += le({0x10000002}); // the others empty
            plus.object(3, 4, region);
            plus.record(0x4013, 0x8003, le({0xFF000000})); // FillRegion
            return plus.bytes();
        }, false},
        // A fuzz finding: the size a picture is kept at overran an integer.
        {"EMF+ picture shown 6 × 10^10 pixels wide", Kind::Emf, 256 << 10, [] {
            EmfPlusWriter plus = plusWithMarker();
            plus.object(4, 5, le({0xDBC01002, 1, 1, 1, 4, 0x0026200A, 0, 0xFFFF0000})); // one red pixel
            plus.record(0x401A, 4, le({0, 2}) + floats({0, 0, 1, 1, 200, 200, 6e10f, 10})); // DrawImage
            return plus.bytes();
        }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray bytes = row.build();
        QElapsedTimer clock;
        clock.start();
        const QByteArray svg = metafile::renderMetafileSvg(bytes, row.kind);
        EXPECT_LT(clock.elapsed(), 5000) << "far slower than the helper's time limit allows";
        ASSERT_FALSE(svg.isEmpty());
        EXPECT_LT(svg.size(), row.maxSvgBytes);
        EXPECT_FALSE(svg.contains("nan")) << "not-a-number coordinates";
        const QImage image = drawnSvg(svg);
        EXPECT_TRUE(dark(image.pixel(10, 10))) << "the black square is missing";
        const bool middleInked = image.pixelColor(100, 100) != Grey;
        EXPECT_EQ(middleInked, row.middleInked.value_or(middleInked)) << "the middle, drawn or refused";
    }
}
