// SPDX-License-Identifier: GPL-2.0-or-later
#include <QBuffer>
#include <QDir>
#include <QImageReader>

#include <cstring>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/PictureFile.h"
#include "platform/RasterDecoder.h"
#include "support/TestWindow.h"

namespace {

// Within 3 % of full scale in every channel, alpha included. Pixels
// transparent in both pictures have no colour to compare.
constexpr int Tolerance = 255 * 3 / 100;

bool alike(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            for (const int shift : {0, 8, 16, 24}) {
                if (std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)) > Tolerance)
                    return false;
            }
        }
    }
    return true;
}

QImage decoded(const QByteArray &bytes)
{
    return platform::decodeRaster(bytes)->image();
}

QImage suitePicture(const QString &name)
{
    const QString path = testDataPath("bmpsuite/" + name);
    return name.endsWith(".png") ? QImage(path) : decoded(platform::readPictureFile(path));
}

int errorOf(const QByteArray &bytes)
{
    try {
        platform::decodeRaster(bytes);
    } catch (const platform::Error &error) {
        return error.number;
    }
    return 0;
}

void put(QByteArray &bytes, qsizetype at, quint32 value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

QByteArray le32(std::initializer_list<quint32> values)
{
    QByteArray bytes(qsizetype(values.size()) * 4, '\0');
    qsizetype at = 0;
    for (const quint32 value : values)
        put(bytes, (at++) * 4, value);
    return bytes;
}

struct Layout
{
    int width = 5;
    int height = 3;      // negative: rows stored top-down
    int headerBytes = 40;
    int bits = 24;
    int compression = 0;
    int gap = 0;         // bytes between the colour table and the pixels
    int missing = 0;     // bytes cut from the end
    QByteArray table{};  // colour table or masks after the header
    QByteArray pixels{}; // empty: every row filled with a pattern
};

// A bitmap file. The pattern differs in every byte, so a row read upside
// down, a swapped channel or a misplaced padding byte shows.
QByteArray bitmapFile(const Layout &layout)
{
    QByteArray pixels = layout.pixels;
    if (pixels.isEmpty()) {
        pixels.resize(qAbs(layout.height) * ((layout.width * layout.bits / 8 + 3) & ~3));
        for (qsizetype i = 0; i < pixels.size(); ++i)
            pixels[i] = char(i * 37 + 11);
    }
    const int pixelsAt = 14 + layout.headerBytes + int(layout.table.size()) + layout.gap;
    QByteArray bytes(pixelsAt, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(bytes, 2, quint32(pixelsAt + pixels.size()));
    put(bytes, 10, pixelsAt);
    put(bytes, 14, layout.headerBytes);
    put(bytes, 18, layout.width);
    put(bytes, 22, quint32(layout.height));
    put(bytes, 26, 1, 2);
    put(bytes, 28, layout.bits, 2);
    put(bytes, 30, layout.compression);
    put(bytes, 38, 2835);
    put(bytes, 42, 2835);
    bytes.replace(14 + layout.headerBytes, layout.table.size(), layout.table);
    bytes += pixels;
    bytes.chop(layout.missing);
    return bytes;
}

QImage readByQt(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "bmp").read();
}

// A picture drawn in letters, top row first: '.' transparent, else a colour.
QImage drawn(std::initializer_list<const char *> rows)
{
    const auto colour = [](char c) -> QRgb {
        switch (c) {
        case 'R': return qRgb(255, 0, 0);
        case 'G': return qRgb(0, 255, 0);
        case 'B': return qRgb(0, 0, 255);
        case 'K': return qRgb(0, 0, 0);
        case 'h': return qRgba(0, 255, 0, 128);
        default: return 0;
        }
    };
    QImage image(int(std::strlen(*rows.begin())), int(rows.size()), QImage::Format_ARGB32);
    int y = 0;
    for (const char *row : rows) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colour(row[x]));
        ++y;
    }
    return image;
}

// Colour table entries: red, green, blue.
const QByteArray RedGreenBlue = le32({0x00ff0000, 0x0000ff00, 0x000000ff});

} // namespace

TEST(BitmapReader, ShowsTheSuiteLikeItsReferences)
{
    // The reference disagrees with the format here: the top bit of a
    // 16-bit pixel without masks is unused, yet it is taken for alpha.
    const QStringList unsound{"rgb16faketrns"};
    for (const QString folder : {"g", "q"}) {
        const QFileInfoList files = QDir(testDataPath("bmpsuite/" + folder)).entryInfoList(QDir::Files);
        ASSERT_FALSE(files.isEmpty()) << "test data missing";
        int loaded = 0, references = 0, matched = 0;
        for (const QFileInfo &file : files) {
            SCOPED_TRACE(file.fileName().toStdString());
            QImage image;
            try {
                image = suitePicture(folder + "/" + file.fileName());
                ++loaded;
            } catch (const platform::Error &error) {
                ADD_FAILURE() << error.description.toStdString();
                continue;
            }
            const QString reference = "reference/" + file.baseName() + ".png";
            if (!QFile::exists(testDataPath("bmpsuite/" + reference)))
                continue;
            ++references;
            const bool same = alike(image, suitePicture(reference));
            matched += same;
            EXPECT_EQ(same, !unsound.contains(file.baseName()));
        }
        std::printf("bmpsuite/%s: %d/%lld loaded, %d/%d like their references\n", qPrintable(folder),
                    loaded, qlonglong(files.size()), matched, references);
    }
}

TEST(BitmapReader, ShowsOtherCodingsOfTheSamePictureAlike)
{
    const struct
    {
        const char *file;
        const char *twin;
    } twins[] = {
        {"q/pal1huffmsb.bmp", "reference/pal1.png"},
        {"q/pal8os2v2-16.bmp", "reference/pal8.png"},
        {"q/pal8os2sp.bmp", "reference/pal8.png"},
        {"q/pal8oversizepal.bmp", "reference/pal8.png"},
        {"q/pal8offs.bmp", "reference/pal8.png"},
        {"q/rgb24png.bmp", "reference/rgb24.png"},
        {"q/rgb32h52.bmp", "reference/rgb24.png"},
        {"q/rgb32-111110.bmp", "reference/rgb24.png"},
        {"q/rgba32abf.bmp", "q/rgba32-1.bmp"},
        {"q/rgba32h56.bmp", "q/rgba32-1.bmp"},
        {"q/rgba64.bmp", "q/rgba32-1.bmp"},
    };
    for (const auto &pair : twins)
        EXPECT_TRUE(alike(suitePicture(pair.file), suitePicture(pair.twin))) << pair.file;
}

TEST(BitmapReader, BrokenFilesShowWhatTheyCanOrAreRefused)
{
    const QFileInfoList files = QDir(testDataPath("bmpsuite/b")).entryInfoList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << "test data missing";
    int loaded = 0;
    for (const QFileInfo &file : files) {
        const int error = errorOf(platform::readPictureFile(file.filePath()));
        loaded += error == 0;
        // Out of memory only for the picture too large for it.
        EXPECT_TRUE(error == 0 || error == platform::errc::InvalidPicture
                    || (error == platform::errc::OutOfMemory && file.baseName() == "reallybig"))
            << file.fileName().toStdString() << ": " << error;
    }
    std::printf("bmpsuite/b: %d/%lld loaded, the rest refused\n", loaded, qlonglong(files.size()));
}

TEST(BitmapReader, ReadsPlainLayoutsAsQtDoes)
{
    const struct
    {
        const char *name;
        Layout layout;
    } cases[] = {
        {"bottom-up, padded rows", {5, 3}},
        {"top-down", {5, -3}},
        {"rows without padding", {4, 2}},
        {"one pixel", {1, 1}},
        {"three padding bytes", {1, 4}},
        {"version 4 header", {6, 3, 108}},
        {"version 5 header", {7, -2, 124}},
        {"gap before the rows", {3, 3, 40, 24, 0, 10}},
        {"32 bits, the fourth byte unused", {5, 3, 40, 32}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = bitmapFile(c.layout);
        EXPECT_EQ(decoded(bytes).convertToFormat(QImage::Format_ARGB32),
                  readByQt(bytes).convertToFormat(QImage::Format_ARGB32));
    }

    // A pixel offset pointing into the header is no offset at all: the
    // pixels follow the header.
    QByteArray rowsInsideHeader = bitmapFile({});
    put(rowsInsideHeader, 10, 30);
    EXPECT_EQ(decoded(rowsInsideHeader), decoded(bitmapFile({})));
}

TEST(BitmapReader, LeavesThePixelsTheDataDoesNotSetTransparent)
{
    const struct
    {
        const char *name;
        Layout layout;
        QImage expected;
    } cases[] = {
        {"RLE8: a delta skips, the picture ends early",
         {4, 3, 40, 8, 1, 0, 0, RedGreenBlue, QByteArray::fromHex("0201" "00020101" "0100" "0001")},
         drawn({"....", "...R", "GG.."})},
        {"RLE8: a run past the row's end is cut off there",
         {2, 2, 40, 8, 1, 0, 0, RedGreenBlue, QByteArray::fromHex("0501" "0000" "0100" "0001")},
         drawn({"R.", "GG"})},
        {"RLE8, top-down", {2, -2, 40, 8, 1, 0, 0, RedGreenBlue, QByteArray::fromHex("0201" "0000" "0102")},
         drawn({"GG", "B."})},
        {"RLE4: runs alternate two colours, copied pixels are padded to 16 bits",
         {10, 1, 40, 4, 2, 0, 0, RedGreenBlue, QByteArray::fromHex("0310" "0005121200" "00" "0122" "0001")},
         drawn({"GRGGBGBRB."})},
        {"OS/2 RLE24: colours stored blue, green, red, copied pixels padded",
         {7, 1, 64, 24, 4, 0, 0, {},
          QByteArray::fromHex("0200ff00" "0003ff00000000ff00ff00" "00" "01ff0000" "0001")},
         drawn({"GGBRGB."})},
        {"rows missing from a cut-off file",
         {2, 2, 40, 24, 0, 0, 8, {}, QByteArray::fromHex("0000ff00ff000000" "ff000000ff000000")},
         drawn({"..", "RG"})},
        {"an index past the colour table shows black",
         {2, 1, 40, 8, 0, 0, 0, RedGreenBlue.left(4), QByteArray::fromHex("00050000")}, drawn({"RK"})},
        {"empty masks are the depth's usual ones",
         {2, 1, 40, 16, 3, 0, 0, le32({0, 0, 0}), QByteArray::fromHex("1f00e003")}, drawn({"BG"})},
        {"an alpha channel of zeros throughout is no alpha",
         {1, 1, 40, 32, 6, 0, 0, le32({0xff0000, 0xff00, 0xff, 0xff000000}), QByteArray::fromHex("00ff0000")},
         drawn({"G"})},
        {"alpha from the mask", {1, 1, 40, 32, 6, 0, 0, le32({0xff0000, 0xff00, 0xff, 0xff000000}), QByteArray::fromHex("00ff0080")},
         drawn({"h"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decoded(bitmapFile(c.layout)).convertToFormat(QImage::Format_ARGB32), c.expected);
    }
}

TEST(BitmapReader, RefusesWhatItCannotShow)
{
    QByteArray pixelsPastTheEnd = bitmapFile({});
    put(pixelsPastTheEnd, 10, quint32(pixelsPastTheEnd.size()));
    QByteArray unknownHeader = bitmapFile({});
    put(unknownHeader, 14, 66);
    for (const QByteArray &bytes : {bitmapFile({5, 3, 40, 24, 9}), bitmapFile({5, 3, 40, 4, 1}),
                                    bitmapFile({0, 3}), bitmapFile({5, 0}), bitmapFile({5, 3, 40, 7}),
                                    pixelsPastTheEnd, unknownHeader}) {
        EXPECT_EQ(errorOf(bytes), platform::errc::InvalidPicture);
    }
}
