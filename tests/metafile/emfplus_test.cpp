// SPDX-License-Identifier: GPL-2.0-or-later
// Drawings made only of EMF+ records: each test writes one, renders it and
// looks at the pixels.
#include <QBuffer>
#include <QImage>

#include <functional>

#include <gtest/gtest.h>

#include "metafile/EmfPlusWriter.h"
#include "metafile/Rendered.h"
#include "support/Pictures.h"

using metafile::Kind;

namespace {

constexpr qint64 Version = 0xDBC01002;
constexpr qint64 Red = 0xFFFF0000, Blue = 0xFF0000FF, Black = 0xFF000000, White = 0xFFFFFFFF;
enum : quint16 { FillRects = 0x400A, DrawPath = 0x4015, Inline = 0x8000 };
enum : quint8 { Brush = 1, Pen, Path, Image = 5, Font, Format };

// A 200 × 200 pixel device on 53 mm, about a 96 dpi screen, drawn at its
// own size.
EmfPlusWriter device()
{
    return EmfPlusWriter(QSize(200, 200), QSize(53, 53));
}

void fillRect(EmfPlusWriter &plus, qint64 colour, QRectF rect)
{
    plus.record(FillRects, Inline, le({colour, 1}) + floats({float(rect.x()), float(rect.y()), float(rect.width()),
                                                             float(rect.height())}));
}

// A pen `width` pixels wide, of a solid black brush.
QByteArray pen(float width)
{
    return le({Version, 0, 0, 2}) + floats({width}) + le({Version, 0, Black});
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40
        && std::abs(a.blue() - b.blue()) < 40;
}

// Changes between light and inked along the middle row; a line a pixel
// wide between two columns inks both by half.
int stripes(const QImage &image)
{
    const auto inked = [&](int x) { return qGray(image.pixel(x, 100)) < 192; };
    int changes = 0;
    for (int x = 21; x < 180; ++x)
        changes += inked(x) != inked(x - 1);
    return changes;
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

TEST(EmfPlusRender, RecordsInkWhereTheirTransformsAndClipPutThem)
{
    const struct { const char *name; std::function<void(EmfPlusWriter &)> draw; QList<std::pair<QPoint, QColor>> at;
                   int stripes = 0; } rows[] = {
        {"a rectangle of an inline colour", [](EmfPlusWriter &p) { fillRect(p, Red, {10, 10, 30, 30}); },
         {{{20, 20}, Qt::red}, {{50, 50}, Grey}}},
        {"an ellipse of a solid brush object", [](EmfPlusWriter &p) {
             p.object(1, Brush, le({Version, 0, Blue}));
             p.record(0x400E, 0, le({1}) + floats({10, 10, 180, 180})); // FillEllipse
         }, {{{100, 100}, Qt::blue}, {{15, 15}, Grey}}},
        {"a vertical hatch, black on white", [](EmfPlusWriter &p) {
             p.object(1, Brush, le({Version, 1, 1, Black, White}));
             p.record(FillRects, 0, le({1, 1}) + floats({0, 0, 200, 200}));
         }, {{{104, 20}, Qt::white}}, 30},
        {"a linear gradient from red on the left to blue on the right", [](EmfPlusWriter &p) {
             p.object(1, Brush, le({Version, 4, 0, 4}) + floats({0, 0, 200, 200}) + le({Red, Blue, 0, 0}));
             p.record(FillRects, 0, le({1, 1}) + floats({0, 0, 200, 200}));
         }, {{{5, 20}, QColor(250, 0, 5)}, {{5, 180}, QColor(250, 0, 5)}, {{100, 100}, QColor(128, 0, 128)},
             {{195, 100}, QColor(5, 0, 250)}}},
        // A path of 16-bit points: a start and a Bézier up to y = 52.5 midway.
        {"a pen drawing a path object's Bézier", [](EmfPlusWriter &p) {
             p.object(1, Pen, pen(6));
             p.object(2, Path, le({Version, 4, 0x4000}) + le({20, 150, 20, 20, 180, 20, 180, 150}, 2)
                                   + QByteArray("\x00\x03\x03\x03", 4));
             p.record(DrawPath, 2, le({1}));
         }, {{{20, 140}, Qt::black}, {{100, 53}, Qt::black}, {{100, 100}, Grey}, {{100, 30}, Grey}}},
        {"an ellipse outlined", [](EmfPlusWriter &p) {
             p.object(3, Pen, pen(4));
             p.record(0x400F, 3, floats({40, 40, 120, 120})); // DrawEllipse
         }, {{{40, 100}, Qt::black}, {{100, 160}, Qt::black}, {{100, 100}, Grey}}},
        {"a polygon", [](EmfPlusWriter &p) {
             p.record(0x400C, Inline, le({0xFF00FF00, 3}) + floats({100, 20, 180, 180, 20, 180})); // FillPolygon
         }, {{{100, 150}, Qt::green}, {{30, 30}, Grey}, {{170, 50}, Grey}}},
        // Save, translate to the middle, turn 45° clockwise, a bar up from
        // there; restored, a square at the origin.
        {"a turned bar, then the saved transform", [](EmfPlusWriter &p) {
             p.record(0x4025, 0, le({7}));
             p.record(0x402D, 0, floats({100, 100}));
             p.record(0x402F, 0, floats({45}));
             fillRect(p, Red, {-10, -50, 20, 50});
             p.record(0x4026, 0, le({7}));
             fillRect(p, Blue, {0, 0, 20, 20});
         }, {{{128, 72}, Qt::red}, {{100, 60}, Grey}, {{10, 10}, Qt::blue}}},
        {"a clip of two rectangles intersected", [](EmfPlusWriter &p) {
             p.record(0x4032, 0, floats({0, 0, 100, 200}));        // SetClipRect, replace
             p.record(0x4032, 1 << 8, floats({0, 0, 200, 100}));   // intersect
             fillRect(p, Red, {0, 0, 200, 200});
         }, {{{50, 50}, Qt::red}, {{150, 50}, Grey}, {{50, 150}, Grey}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EmfPlusWriter plus = device();
        row.draw(plus);
        const QImage image = rendered(plus.bytes(), Kind::Emf);
        for (const auto &[point, colour] : row.at)
            EXPECT_TRUE(near(image.pixelColor(point), colour))
                << point.x() << ", " << point.y() << ": " << image.pixelColor(point).name().toStdString();
        EXPECT_GE(stripes(image), row.stripes);
    }
}

TEST(EmfPlusRender, StringsAlignInTheirLayoutRectangleAndAreCutAtItsEdge)
{
    // "Hello" in a 30-pixel em in a box from x = 20, 160 wide: at its left
    // edge, or about its middle; in a box 50 wide, cut at its right edge
    // unless the format lets it show (0x4000).
    const struct { int align, flags, width; int left, right; } rows[] = {
        {0, 0, 160, 20, 110}, {1, 0, 160, 55, 145}, {0, 0, 50, 20, 70}, {0, 0x4000, 50, 20, 110}};
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.align << " " << row.flags << " " << row.width);
        EmfPlusWriter plus = device();
        const QString family = QStringLiteral("DejaVu Sans");
        QByteArray font = le({Version}) + floats({30}) + le({2, 0, 0, family.size()});
        for (const QChar c : family)
            font += le({c.unicode()}, 2);
        plus.object(0, Font, font);
        plus.object(1, Format, le({Version, row.flags, 0, row.align}) + QByteArray(44, '\0'));
        const QString text = QStringLiteral("Hello");
        QByteArray record = le({Black, 1, text.size()}) + floats({20, 20, float(row.width), 60});
        for (const QChar c : text)
            record += le({c.unicode()}, 2);
        plus.record(0x401C, Inline, record); // DrawString in font 0
        const QImage image = rendered(plus.bytes(), Kind::Emf);
        QRect ink;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (dark(image.pixel(x, y)))
                    ink |= QRect(x, y, 1, 1);
        EXPECT_TRUE(QRect(15, 20, 170, 60).contains(ink)) << ink.x() << ", " << ink.y() << " " << ink.width();
        EXPECT_NEAR(ink.left(), row.left, 12);
        if (row.right == 20 + row.width) { // cut: ink up to the box's edge, none beyond
            EXPECT_LE(ink.right(), row.right);
            EXPECT_GE(ink.right(), row.right - 10);
        } else {
            EXPECT_NEAR(ink.right(), row.right, 25);
        }
    }
}

TEST(EmfPlusRender, ImagesFillTheirRectangleOrParallelogram)
{
    // A PNG two pixels wide, red then blue, drawn into the square from 50 to
    // 150: upright, and mirrored by its corners.
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixelColor(1, 0, Qt::blue);
    picture.setPixelColor(1, 1, Qt::blue);
    const QByteArray source = le({0, 2}) + floats({0, 0, 2, 2}); // no attributes, pixels, the whole image
    const struct { const char *name; quint16 type; QByteArray where; QColor left, right; } rows[] = {
        {"DrawImage", 0x401A, floats({50, 50, 100, 100}), Qt::red, Qt::blue},
        {"DrawImagePoints", 0x401B, le({3}) + floats({150, 50, 50, 50, 150, 150}), Qt::blue, Qt::red},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EmfPlusWriter plus = device();
        plus.object(4, Image, le({Version, 1, 2, 2, 8, 0x0026200A, 1}) + png(picture));
        plus.record(row.type, 4, source + row.where);
        const QImage image = rendered(plus.bytes(), Kind::Emf);
        EXPECT_TRUE(near(image.pixelColor(75, 100), row.left));
        EXPECT_TRUE(near(image.pixelColor(125, 100), row.right));
        EXPECT_EQ(image.pixelColor(30, 100), Grey);
    }
}

TEST(EmfPlusRender, DualFilesDrawTheSameFromTheirEmfPlusRecordsAlone)
{
    // Compared from afar, where the embedded picture's pixels and the plain
    // records' vectors look alike: a blank page differs by 39 to 127, the
    // picture mirrored by 47, the EMF+ drawing by 12 at most.
    const auto afar = [](const QImage &image) {
        return image.scaled(50, 50, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    for (const char *name : {"test-180.emf", "test-183.emf", "test-184.emf", "test-185.emf"}) {
        SCOPED_TRACE(name);
        const QByteArray dual = testFile(QStringLiteral("libemf2svg/samples/") + name);
        const QImage plain = afar(rendered(dual, Kind::Emf));
        const QImage plus = afar(rendered(withoutPlainDrawing(dual), Kind::Emf));
        QImage blank(plus.size(), plus.format());
        blank.fill(Grey);
        EXPECT_GT(meanDifference(plus, blank), 30);
        EXPECT_LT(meanDifference(plus, plain), 20);
    }
}
