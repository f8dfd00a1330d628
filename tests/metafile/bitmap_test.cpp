// SPDX-License-Identifier: GPL-2.0-or-later
// Bitmaps inside metafiles, in every variant a DIB comes in, land where the
// blit puts them with the colours they hold. The BMP Suite's files without
// their file header are such DIBs, and its PNGs show what they hold.
#include <QtEndian>

#include <gtest/gtest.h>

#include "metafile/Rendered.h"
#include "support/Pictures.h"
#include "support/WmfWriter.h"

namespace {

constexpr int Scale = 5; // odd: a pixel of the destination lies on each source pixel's centre

// DIBSTRETCHBLT with SRCCOPY of the DIB's `source` rectangle, Scale times
// its size, at (Scale, Scale) of a drawing of a unit a pixel; or
// STRETCHDIB, whose source y counts from the bottom of a bottom-up bitmap.
QImage blitted(const QByteArray &dib, QRect source, bool stretchDib)
{
    const QSize size = source.size() * Scale + QSize(2 * Scale, 2 * Scale);
    WmfWriter wmf(QRect(QPoint(0, 0), size), 1000);
    QList<qint16> params{0x0020, 0x00CC}; // SRCCOPY
    if (stretchDib)
        params << 0; // DIB_RGB_COLORS
    params << source.height() << source.width() << source.y() << source.x() << source.height() * Scale
           << source.width() * Scale << Scale << Scale;
    const QByteArray words = dib.leftJustified((dib.size() + 1) / 2 * 2, '\0');
    for (qsizetype i = 0; i < words.size(); i += 2)
        params << qFromLittleEndian<qint16>(words.constData() + i);
    wmf.record(stretchDib ? 0x0F43 : 0x0B41, params);
    return rendered(wmf.placeable(), metafile::Kind::Wmf, size);
}

} // namespace

TEST(MetafileRender, StretchBlittedBitmapsOfEveryVariantLand)
{
    const auto suiteDib = [](const char *name) { return testFile(QStringLiteral("bmpsuite/") + name).mid(14); };
    const auto suitePng = [](const char *name) {
        return QImage::fromData(testFile(QStringLiteral("bmpsuite/reference/%1.png").arg(name)));
    };
    // Windows blits the colours of a 32-bit bitmap whatever its alpha holds.
    QImage redGreen(2, 1, QImage::Format_RGB32);
    redGreen.setPixel(0, 0, qRgb(255, 0, 0));
    redGreen.setPixel(1, 0, qRgb(0, 255, 0));
    const QByteArray alphaMaskOfZeros =
        le({124, 2, 1, 1 | 32 << 16, 3, 0, 0, 0, 0, 0, 0xff0000, 0xff00, 0xff, 0xff000000}).leftJustified(124, '\0')
        + le({0xff0000, 0xff00});
    // An empty source is all of the picture; `shown`, the top left of what the source shows.
    const struct { const char *name; QByteArray dib; QImage picture; QRect source = {}; bool stretchDib = false;
                   QPoint shown = {}; } cases[] = {
        {"1 bit", suiteDib("g/pal1.bmp"), suitePng("pal1")}, {"4 bits", suiteDib("g/pal4.bmp"), suitePng("pal4")},
        {"RLE4", suiteDib("g/pal4rle.bmp"), suitePng("pal4")}, {"RLE8", suiteDib("g/pal8rle.bmp"), suitePng("pal8")},
        {"8 bits, 252 colours used", suiteDib("g/pal8.bmp"), suitePng("pal8")},
        {"OS/2 core header", suiteDib("g/pal8os2.bmp"), suitePng("pal8")},
        {"top-down", suiteDib("g/pal8topdown.bmp"), suitePng("pal8")},
        {"16 bits, 5-6-5 masks", suiteDib("g/rgb16-565.bmp"), suitePng("rgb16-565")},
        {"24 bits", suiteDib("g/rgb24.bmp"), suitePng("rgb24")},
        {"32 bits with alpha, version 5 header", suiteDib("q/rgba32-1010102.bmp"), suitePng("rgba32-1010102")},
        {"32 bits, an alpha mask and every alpha 0", alphaMaskOfZeros, redGreen},
        {"a blit's source from the top", suiteDib("g/pal8.bmp"), suitePng("pal8"), {10, 5, 40, 20}, false, {10, 5}},
        {"a DIB's source from the bottom", suiteDib("g/pal8.bmp"), suitePng("pal8"), {10, 5, 40, 20}, true, {10, 39}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QRect source = c.source.isEmpty() ? c.picture.rect() : c.source;
        const QImage image = blitted(c.dib, source, c.stretchDib);
        EXPECT_EQ(image.pixelColor(Scale / 2, Scale / 2), Grey); // outside the destination
        // Where the picture is transparent, its PNG has no colour to compare.
        const QImage expected = c.picture.copy(QRect(c.shown, source.size())).convertToFormat(QImage::Format_ARGB32);
        QImage landed(source.size(), QImage::Format_ARGB32);
        for (int y = 0; y < landed.height(); ++y)
            for (int x = 0; x < landed.width(); ++x)
                landed.setPixel(x, y, (image.pixel(Scale * x + Scale * 3 / 2, Scale * y + Scale * 3 / 2) & RGB_MASK)
                                          | qAlpha(expected.pixel(x, y)) << 24);
        EXPECT_LE(largestDifference(landed, expected), 7);
    }
}
