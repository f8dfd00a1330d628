// SPDX-License-Identifier: GPL-2.0-or-later
// Bitmaps inside metafiles, in every variant a DIB comes in, land where the
// blit puts them with the colours they hold.
#include <QtEndian>

#include <initializer_list>

#include <gtest/gtest.h>

#include "metafile/Rendered.h"
#include "support/WmfWriter.h"

using metafile::Kind;

namespace {

enum class Variant { Mono, Paletted4, Paletted8, Rle8, Masks565, AlphaV5, TopDown24, CoreHeader };

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

template<typename T>
void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

// Colour `c` of the picture at stored row `row`: a 4 × 4 picture whose
// quadrants, top left to bottom right, are colours 0 to 3 (1 bit per pixel
// has two: 0 left, 1 right).
int colourAt(Variant v, int x, int row)
{
    const int y = (v == Variant::TopDown24) ? row : 3 - row;
    return v == Variant::Mono ? x / 2 : (y / 2) * 2 + x / 2;
}

QByteArray infoHeader(Variant v, quint16 bits, quint32 compression, quint32 coloursUsed)
{
    QByteArray out;
    if (v == Variant::CoreHeader) {
        put<quint32>(out, 12);
        for (quint16 field : {quint16(4), quint16(4), quint16(1), bits})
            put(out, field);
        return out;
    }
    const quint32 size = v == Variant::AlphaV5 ? 124 : 40;
    put(out, size);
    put<qint32>(out, 4);
    put<qint32>(out, v == Variant::TopDown24 ? -4 : 4);
    put<quint16>(out, 1);
    put(out, bits);
    put(out, compression);
    for (quint32 field : {0u, 0u, 0u, coloursUsed, 0u})
        put(out, field);
    if (v == Variant::AlphaV5) // the masks, then colour space fields left empty
        for (quint32 mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
            put(out, mask);
    return out.leftJustified(qsizetype(size), '\0');
}

QByteArray pixelRow(Variant v, int row, const QList<QRgb> &colours)
{
    QByteArray out;
    const auto c = [&](int x) { return colourAt(v, x, row); };
    switch (v) {
    case Variant::Mono: out.append(char(0x30)); break; // 0011: the right two pixels colour 1
    case Variant::Paletted4: out.append(char(c(0) * 0x11)).append(char(c(2) * 0x11)); break;
    case Variant::Paletted8:
        for (int x = 0; x < 4; ++x)
            out.append(char(c(x)));
        break;
    case Variant::Rle8: return bytes({2, c(0), 2, c(2), 0, 0}); // runs, end of line
    case Variant::Masks565:
        for (int x = 0; x < 4; ++x) {
            const QRgb rgb = colours[c(x)];
            put<quint16>(out, quint16((qRed(rgb) >> 3) << 11 | (qGreen(rgb) >> 2) << 5 | qBlue(rgb) >> 3));
        }
        break;
    case Variant::AlphaV5:
    case Variant::TopDown24:
        for (int x = 0; x < 4; ++x) {
            const QRgb rgb = colours[c(x)];
            out += bytes({qBlue(rgb), qGreen(rgb), qRed(rgb)});
            if (v == Variant::AlphaV5)
                out.append('\0'); // alpha, often left 0: a blit copies colours, only AlphaBlend reads it
        }
        break;
    case Variant::CoreHeader: out.append(char(c(0) * 0x11)).append(char(c(2) * 0x11)); break;
    }
    return out.leftJustified((out.size() + 3) / 4 * 4, '\0');
}

// A packed DIB, header, colour table and pixels, of the 4 × 4 picture.
QByteArray packedDib(Variant v, const QList<QRgb> &colours)
{
    const struct
    {
        quint16 bits;
        quint32 compression;
        int tableEntries;
    } shape[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 4}, {8, 1, 4}, {16, 3, 0}, {32, 3, 0}, {24, 0, 0}, {4, 0, 16}};
    const auto &s = shape[int(v)];
    QByteArray dib = infoHeader(v, s.bits, s.compression, v == Variant::Paletted8 || v == Variant::Rle8 ? 4 : 0);
    if (v == Variant::Masks565)
        for (quint32 mask : {0xF800u, 0x07E0u, 0x001Fu})
            put(dib, mask);
    for (int i = 0; i < s.tableEntries; ++i) {
        const QRgb rgb = colours.value(i);
        dib += bytes({qBlue(rgb), qGreen(rgb), qRed(rgb)});
        if (v != Variant::CoreHeader)
            dib.append('\0');
    }
    for (int row = 0; row < 4; ++row)
        dib += pixelRow(v, row, colours);
    if (v == Variant::Rle8)
        dib += bytes({0, 1}); // end of bitmap
    return dib;
}

// DIBSTRETCHBLT with SRCCOPY of the DIB's `source` rectangle to (100, 100)
// 800 × 800 of a 1000-unit drawing; or STRETCHDIB, whose source y counts
// from the bottom of a bottom-up bitmap.
QByteArray blitted(const QByteArray &dib, QRect source, bool stretchDib)
{
    WmfWriter wmf(QRect(0, 0, 1000, 1000), 1000);
    QList<qint16> params{0x0020, 0x00CC}; // SRCCOPY
    if (stretchDib)
        params << 0; // DIB_RGB_COLORS
    params << qint16(source.height()) << qint16(source.width()) << qint16(source.y()) << qint16(source.x()) << 800
           << 800 << 100 << 100;
    const QByteArray words = dib.leftJustified((dib.size() + 1) / 2 * 2, '\0');
    for (qsizetype i = 0; i < words.size(); i += 2)
        params << qFromLittleEndian<qint16>(words.constData() + i);
    wmf.record(stretchDib ? 0x0F43 : 0x0B41, params);
    return wmf.placeable();
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12
        && std::abs(a.blue() - b.blue()) < 12;
}

} // namespace

TEST(MetafileRender, StretchBlittedBitmapsOfEveryVariantLand)
{
    const QList<QRgb> colours{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    const struct
    {
        const char *name;
        Variant variant;
        QRect source = QRect(0, 0, 4, 4);
        bool stretchDib = false;
        int only = -1; // the one quadrant of the picture all the destination shows
    } cases[] = {
        {"1 bit, two colours", Variant::Mono},
        {"4 bits, a palette", Variant::Paletted4},
        {"8 bits, four colours used", Variant::Paletted8},
        {"RLE8", Variant::Rle8},
        {"16 bits, 5-6-5 masks", Variant::Masks565},
        {"32 bits with alpha, version 5 header", Variant::AlphaV5},
        {"24 bits, top-down", Variant::TopDown24},
        {"OS/2 core header", Variant::CoreHeader},
        {"a blit's source from the top", Variant::Paletted8, QRect(0, 0, 2, 2), false, 0},
        {"a DIB's source from the bottom", Variant::Paletted8, QRect(0, 0, 2, 2), true, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image =
            rendered(blitted(packedDib(c.variant, colours), c.source, c.stretchDib), Kind::Wmf, QSize(100, 100));
        EXPECT_EQ(image.pixelColor(5, 5), Grey); // outside the destination
        for (int quadrant = 0; quadrant < 4; ++quadrant) {
            const int shown = c.only >= 0 ? c.only : quadrant;
            const QRgb expected = colours[c.variant == Variant::Mono ? shown % 2 : shown];
            const QColor pixel = image.pixelColor(30 + quadrant % 2 * 40, 30 + quadrant / 2 * 40);
            EXPECT_TRUE(near(pixel, expected)) << "quadrant " << quadrant << ": " << pixel.name().toStdString();
        }
    }
}
