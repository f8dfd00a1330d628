// SPDX-License-Identifier: GPL-2.0-or-later
#include <QBuffer>
#include <QColorSpace>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

#include <gtest/gtest.h>

#include "platform/pictures/JpegDecoder.h"
#include "platform/pictures/PictureFile.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/Error.h"
#include "support/ResidentMemory.h"
#include "support/TestWindow.h"

using namespace platform::errc;

namespace {

// Within 3 % of full scale in every channel, alpha included. Pixels
// transparent in both pictures have no colour to compare.
bool alike(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    for (int i = 0; x.size() == y.size() && i < x.width() * x.height(); ++i) {
        const QRgb p = x.pixel(i % x.width(), i / x.width()), q = y.pixel(i % x.width(), i / x.width());
        if ((qAlpha(p) || qAlpha(q)) && std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                                   std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 7)
            return false;
    }
    return x.size() == y.size();
}

QImage decoded(const QByteArray &bytes)
{
    return platform::decodeRaster(bytes)->image().convertToFormat(QImage::Format_ARGB32);
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

QByteArray le32(std::initializer_list<quint32> values)
{
    QByteArray bytes;
    for (const quint32 value : values) {
        const quint32 stored = qToLittleEndian(value);
        bytes += QByteArray(reinterpret_cast<const char *>(&stored), 4);
    }
    return bytes;
}

struct Layout
{
    int width = 5;
    int height = 3;      // negative: rows stored top-down
    int headerBytes = 40;
    int bits = 24;
    int compression = 0;
    QByteArray table{};  // colour table or masks after the header
    QByteArray pixels{}; // empty: every row filled with a pattern
    int pixelsAt = 0;    // 0: the true offset of the pixels
};

QByteArray bitmapFile(const Layout &l)
{
    const QByteArray pixels = l.pixels.isEmpty()
        ? QByteArray(qAbs(l.height) * ((l.width * l.bits / 8 + 3) & ~3), '\x5a') : l.pixels;
    const quint32 pixelsAt = 14 + l.headerBytes + quint32(l.table.size());
    QByteArray bytes = "BM" + le32({quint32(pixelsAt + pixels.size()), 0, l.pixelsAt ? l.pixelsAt : pixelsAt});
    bytes += le32({uint(l.headerBytes), uint(l.width), uint(l.height), 1u | l.bits << 16, uint(l.compression)});
    bytes.resize(14 + l.headerBytes, '\0');
    return bytes + l.table + pixels;
}

// A picture drawn in letters, top row first: '.' transparent, else a colour.
QImage drawn(std::initializer_list<const char *> rows)
{
    const QHash<char, QRgb> colours{{'R', qRgb(255, 0, 0)}, {'G', qRgb(0, 255, 0)}, {'B', qRgb(0, 0, 255)},
                                    {'K', qRgb(0, 0, 0)},   {'h', qRgba(0, 255, 0, 128)},
                                    {'2', qRgb(2, 2, 2)}};
    QImage image(int(std::strlen(*rows.begin())), int(rows.size()), QImage::Format_ARGB32);
    for (int i = 0, width = image.width(); i < width * image.height(); ++i)
        image.setPixel(i % width, i / width, colours.value(rows.begin()[i / width][i % width]));
    return image;
}

const QByteArray RedGreenBlue = le32({0x00ff0000, 0x0000ff00, 0x000000ff});
const QByteArray AlphaMasks = le32({0xff0000, 0xff00, 0xff, 0xff000000});

// One bitmap image of an icon: a square of one colour, its AND mask marking
// the top left pixel when `maskTopLeft`.
QByteArray iconBitmap(int side, int bits, QRgb colour, bool maskTopLeft = false)
{
    QByteArray row((side * bits + 31) / 32 * 4, '\0'); // paletted: index 0 throughout
    for (int x = 0; bits > 8 && x < side; ++x)
        row.replace(x * bits / 8, bits / 8, le32({colour}).left(bits / 8));
    const int maskRowBytes = (side + 31) / 32 * 4;
    QByteArray mask(maskRowBytes * side, '\0');
    if (maskTopLeft) // rows bottom-up: the top row is the last
        mask[mask.size() - maskRowBytes] = char(0x80);
    const QByteArray table = bits > 8 ? QByteArray() : le32({colour & 0xffffff}) + QByteArray((4 << bits) - 4, '\0');
    // Twice as high: the colour rows, then the mask's.
    return bitmapFile({side, 2 * side, 40, bits, 0, table, row.repeated(side) + mask}).mid(14);
}

// An icon file of `images`; its directory may lie about the first one's
// offset or size, or about how many images there are.
QByteArray iconFile(const QList<QByteArray> &images, qint64 offsetLie = 0, qint64 sizeLie = 0, int count = -1)
{
    QByteArray directory = le32({1u << 16, quint32(count < 0 ? images.size() : count)}).left(6), data;
    for (const QByteArray &image : images) {
        const qint64 at = 6 + 16 * images.size() + data.size();
        directory += QByteArray(8, '\0') + le32({quint32(image.size() + sizeLie), quint32(at + offsetLie)});
        data += image;
        offsetLie = sizeLie = 0; // only the first entry lies
    }
    return directory + data;
}

// Two-bit colour indices as a GIF's LZW data, each index a code of its own:
// a clear code after every second keeps the codes three bits wide.
QByteArray gifData(std::initializer_list<int> indices)
{
    QList<int> codes{4};
    for (qsizetype i = 0; i < qsizetype(indices.size()); ++i) {
        codes << indices.begin()[i];
        if (i % 2)
            codes << 4;
    }
    codes << 5;
    QByteArray packed;
    quint32 buffer = 0;
    int held = 0;
    for (const int code : codes) {
        buffer |= quint32(code) << held;
        for (held += 3; held >= 8; held -= 8, buffer >>= 8)
            packed += char(buffer);
    }
    if (held > 0)
        packed += char(buffer);
    return QByteArray("\x02") + char(packed.size()) + packed + '\0';
}

// A GIF of a logical screen of `screen`, with a global table of red, green,
// blue and black unless told otherwise, holding `blocks`.
QByteArray gifFile(QSize screen, const QByteArray &blocks, bool globalTable = true)
{
    const QByteArray table = QByteArray::fromHex("ff0000" "00ff00" "0000ff" "000000");
    return "GIF89a" + le32({quint32(screen.width()) | quint32(screen.height()) << 16}).left(4)
        + (globalTable ? QByteArray("\x81\0\0", 3) + table : QByteArray(3, '\0')) + blocks + ';';
}

// An image descriptor of `place` with its `flags`, then what follows it.
QByteArray gifImage(QRect place, const QByteArray &rest, uchar flags = 0)
{
    return ',' + le32({quint32(place.x()) | quint32(place.y()) << 16, quint32(place.width()) | quint32(place.height()) << 16})
        + char(flags) + rest;
}

constexpr QRgb Red = 0xffff0000, Green = 0xff00ff00, Blue = 0xff0000ff, HalfGreen = 0x8000ff00;

QByteArray encoded(const char *format, QImage::Format pixels = QImage::Format_RGB32)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    image = image.convertToFormat(pixels);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A file of the shared test data, or of the project's own by its full path.
QByteArray file(const QString &name)
{
    return platform::readPictureFile(QDir::isAbsolutePath(name) ? name : testDataPath(name));
}

// Qt's own reader, orientation applied: what the viewer showed before it
// decoded JPEGs itself.
QImage qtRead(const QString &path)
{
    QImageReader reader(path, "jpeg");
    reader.setAutoTransform(true);
    return reader.read();
}

double meanChannelDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int i = 0; i < x.width() * x.height(); ++i) {
        const QRgb p = x.pixel(i % x.width(), i / x.width()), q = y.pixel(i % x.width(), i / x.width());
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace

TEST(BitmapReader, ShowsTheSuiteLikeItsReferences)
{
    // The reference disagrees with the format here: the top bit of a
    // 16-bit pixel without masks is unused, yet it is taken for alpha.
    const QStringList unsound{"rgb16faketrns"};
    // Files without a reference of their own: other codings of a picture.
    const QString pal8 = "reference/pal8.png", rgb24 = "reference/rgb24.png", rgba = "q/rgba32-1.bmp";
    const QHash<QString, QString> twins{
        {"pal1huffmsb", "reference/pal1.png"}, {"pal8os2v2-16", pal8}, {"pal8os2sp", pal8}, {"pal8oversizepal", pal8},
        {"pal8offs", pal8}, {"rgb24png", rgb24}, {"rgb32h52", rgb24}, {"rgb32-111110", rgb24},
        {"rgba32abf", rgba}, {"rgba32h56", rgba}, {"rgba64", rgba}};
    for (const QString folder : {"g", "q"}) {
        const QFileInfoList files = QDir(testDataPath("bmpsuite/" + folder)).entryInfoList(QDir::Files);
        ASSERT_FALSE(files.isEmpty()) << "test data missing";
        for (const QFileInfo &file : files) {
            SCOPED_TRACE(file.fileName().toStdString());
            const QImage image = suitePicture(folder + "/" + file.fileName()); // throws when refused
            const QString reference = twins.value(file.baseName(), "reference/" + file.baseName() + ".png");
            if (!QFile::exists(testDataPath("bmpsuite/" + reference)))
                continue;
            EXPECT_EQ(alike(image, suitePicture(reference)), !unsound.contains(file.baseName()));
        }
    }
}

TEST(BitmapReader, LeavesThePixelsTheDataDoesNotSetTransparent)
{
    const struct
    {
        const char *name;
        Layout layout;
        QImage expected;
    } cases[] = {
        {"RLE8: a run past the row's end is cut off there",
         {2, 2, 40, 8, 1, RedGreenBlue, QByteArray::fromHex("0501" "0000" "0100" "0001")}, drawn({"R.", "GG"})},
        {"RLE24 of OS/2: colours stored blue, green, red, copied pixels padded",
         {7, 1, 64, 24, 4, {}, QByteArray::fromHex("0200ff00" "0003ff00000000ff00ff00" "00" "01ff0000" "0001")},
         drawn({"GGBRGB."})},
        {"rows missing from a cut-off file", {2, 2, 40, 24, 0, {}, QByteArray::fromHex("0000ff00ff000000")},
         drawn({"..", "RG"})},
        {"an index past the colour table shows black",
         {2, 1, 40, 8, 0, RedGreenBlue.left(4), QByteArray::fromHex("00050000")}, drawn({"RK"})},
        {"empty masks are the depth's usual ones",
         {2, 1, 40, 16, 3, le32({0, 0, 0}), QByteArray::fromHex("1f00e003")}, drawn({"BG"})},
        {"an alpha channel of zeros throughout is no alpha",
         {1, 1, 40, 32, 6, AlphaMasks, QByteArray::fromHex("00ff0000")}, drawn({"G"})},
        {"alpha from the mask", {1, 1, 40, 32, 6, AlphaMasks, QByteArray::fromHex("00ff0080")}, drawn({"h"})},
        {"a pixel offset inside the header: the pixels follow the header",
         {2, 1, 40, 24, 0, {}, QByteArray::fromHex("0000ff00ff000000"), 30}, drawn({"RG"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decoded(bitmapFile(c.layout)), c.expected);
    }
}

TEST(IconReader, ShowsTheLargestDeepestImageWithItsMask)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        int side;
        QRgb colour;
        QRgb topLeft;
    } cases[] = {
        {"the deepest of equal size",
         iconFile({iconBitmap(16, 8, Red), iconBitmap(16, 32, Green), iconBitmap(8, 32, Blue)}), 16, Green, Green},
        {"the largest before the deepest", iconFile({iconBitmap(16, 32, Red), iconBitmap(32, 24, Blue, true)}), 32,
         Blue, 0},
        {"the mask of a 1-bit image", iconFile({iconBitmap(8, 1, Red, true)}), 8, Red, 0},
        {"the mask of a 32-bit image without alpha", iconFile({iconBitmap(8, 32, Green & 0xffffff, true)}), 8,
         Green, 0},
        {"a 32-bit image's own alpha instead of its mask", iconFile({iconBitmap(8, 32, HalfGreen, true)}), 8,
         HalfGreen, HalfGreen},
        {"the image left when the directory lies about another's place",
         iconFile({iconBitmap(32, 24, Red), iconBitmap(16, 24, Blue)}, 1 << 20), 16, Blue, Blue},
        {"an image the directory says runs past the end", iconFile({iconBitmap(16, 24, Red)}, 0, 1), 16, Red, Red},
        {"a directory counting more images than the file holds", iconFile({iconBitmap(16, 24, Red)}, 0, 0, 200), 16,
         Red, Red},
        {"a whole image before a larger one the file holds only the start of",
         iconFile({bitmapFile({2000, 4000, 40, 24, 0, {}, QByteArray(16, '\0')}).mid(14), iconBitmap(16, 24, Blue)}), 16,
         Blue, Blue},
        {"the image left beside one too large for memory",
         iconFile({bitmapFile({60000, 120000, 40, 24, 0, {}, QByteArray(16, '\0')}).mid(14), iconBitmap(16, 24, Blue)}),
         16, Blue, Blue},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = decoded(c.bytes);
        ASSERT_EQ(image.size(), QSize(c.side, c.side));
        EXPECT_EQ(image.pixel(0, 0), c.topLeft);
        EXPECT_EQ(image.pixel(c.side - 1, c.side - 1), c.colour);
    }
}

TEST(GifReader, ShowsTheFirstImageOnItsScreen)
{
    const QByteArray transparentOne("\x21\xF9\x04\x01\0\0\x01\0", 8);
    const QByteArray blueGreen = QByteArray::fromHex("0000ff" "00ff00");
    const struct
    {
        const char *name;
        QByteArray bytes;
        QImage expected;
    } cases[] = {
        {"the screen around a smaller image", gifFile({4, 2}, gifImage({1, 0, 2, 1}, gifData({0, 1}))),
         drawn({".RG.", "...."})},
        {"its transparent colour", gifFile({2, 1}, transparentOne + gifImage({0, 0, 2, 1}, gifData({0, 1}))),
         drawn({"R."})},
        {"an image of no width, reaching past the screen", gifFile({3, 1}, gifImage({5, 0, 0, 3}, gifData({}))),
         drawn({"..."})},
        {"an image without data", gifFile({2, 1}, gifImage({0, 0, 2, 1}, {})), drawn({".."})},
        {"data that ends early", gifFile({2, 2}, gifImage({0, 0, 2, 2}, gifData({0, 1, 2}))), drawn({"RG", "B."})},
        {"damage after the image", gifFile({2, 1}, gifImage({0, 0, 2, 1}, gifData({0, 1})) + "\x99\x99"),
         drawn({"RG"})},
        {"interlaced rows", gifFile({1, 5}, gifImage({0, 0, 1, 5}, gifData({0, 1, 2, 3, 0}), 0x40)),
         drawn({"R", "K", "B", "R", "G"})},
        {"its own table, black past its end", gifFile({3, 1}, gifImage({0, 0, 3, 1}, blueGreen + gifData({0, 1, 3}), 0x80)),
         drawn({"BGK"})},
        {"an empty screen as large as the image reaches", gifFile({0, 0}, gifImage({1, 1, 1, 1}, gifData({2}))),
         drawn({"..", ".B"})},
        {"greys without any table", gifFile({2, 1}, gifImage({0, 0, 2, 1}, gifData({0, 2})), false), drawn({"K2"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = platform::decodeRaster(c.bytes)->image();
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32), c.expected);
        // Opaque pictures are drawn without blending.
        bool transparent = false;
        for (int i = 0; i < c.expected.width() * c.expected.height(); ++i)
            transparent |= qAlpha(c.expected.pixel(i % c.expected.width(), i / c.expected.width())) == 0;
        EXPECT_EQ(image.hasAlphaChannel(), transparent);
    }
}

TEST(GifReader, ShowsEveryGifOfTheTestDataAsQtsReaderShowsItsFirstFrame)
{
    int compared = 0;
    for (const QFileInfo &gif : QDir(testDataPath("pillow")).entryInfoList({"*.gif"}, QDir::Files)) {
        SCOPED_TRACE(gif.fileName().toStdString());
        const QImage expected = QImageReader(gif.filePath(), "gif").read();
        if (expected.isNull())
            continue;
        ++compared;
        // Transparent pixels as transparent, whatever colour Qt leaves in them.
        EXPECT_EQ(decoded(file(gif.filePath())).convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    EXPECT_GT(compared, 30);
}

TEST(RasterDecoder, ReadsWhatItCanAndRefusesBombsAndTheRest)
{
    // Headers that declare pictures far beyond memory, followed by almost
    // nothing: the refusal must come from the declared size.
    const QByteArray red = encoded("JPEG");
    QByteArray jpeg = red;
    jpeg.replace(jpeg.indexOf("\xFF\xC0") + 5, 4, QByteArray::fromHex("ffdcffdc")); // 65500 × 65500
    const QByteArray gif = QByteArray("GIF89a\xff\xff\xff\xff\x00\x00\x00", 13) + QByteArray(32, '\0');
    const QByteArray bmp = encoded("BMP").replace(18, 8, QByteArray::fromHex("60ea000060ea0000")); // 60000²
    const QByteArray icon = iconBitmap(16, 24, Red);
    const QString fuzz = LUMARIN_OWN_TESTDATA_DIR "/fuzz-findings/";
    const struct
    {
        const char *name;
        QByteArray bytes;
        int number; // 0: decoded
    } cases[] = {
        {"icon", file("pillow/python.ico"), 0},
        {"icon of 256 × 256", file("pillow/hopper_256x256.ico"), 0},
        {"cursor", file("pillow/deerstalker.cur"), 0},
        {"bitmap without a file header", file("pillow/clipboard.dib"), 0},
        {"gif", file("pillow/transparent.gif"), 0},
        {"jpeg with stray bytes before a marker", file("pillow/junk_jpeg_header.jpg"), 0},
        {"jpeg with a stuffed zero between its segments", file("pillow/jpeg_ff00_header.jpg"), 0},
        {"jpeg", jpeg, OutOfMemory},
        {"jpeg with a stray byte before its frame", jpeg.left(20) + '\0' + jpeg.mid(20), OutOfMemory},
        {"gif", gif, OutOfMemory},
        {"bmp", bmp, OutOfMemory},
        // Found by the fuzzer: a first frame beyond an empty logical screen
        // makes a 22529 × 11264 picture of 27 bytes.
        {"gif frame beyond its screen", file(fuzz + "gif-frame-beyond-empty-screen.gif"), InvalidPicture},
        // Found by the fuzzer: sides whose product overflowed the size check.
        {"bitmap of 2^31 × 2^31", file(fuzz + "bmp-dimensions-overflow.bmp"), OutOfMemory},
        // Its size and format read fine, its pixels not at all: whatever the
        // pixel buffer holds must not be shown.
        {"bitmap cut off in its colour table", encoded("BMP", QImage::Format_Indexed8).left(14 + 40 + 2),
         InvalidPicture},
        {"empty", QByteArray(), InvalidPicture},
        {"png, whatever its name", encoded("PNG"), InvalidPicture},
        {"unknown compression", bitmapFile({.compression = 9}), InvalidPicture},
        {"RLE8 at 4 bits", bitmapFile({.bits = 4, .compression = 1}), InvalidPicture},
        {"no width", bitmapFile({.width = 0}), InvalidPicture},
        {"no height", bitmapFile({.height = 0}), InvalidPicture},
        {"7 bits", bitmapFile({.bits = 7}), InvalidPicture},
        {"unknown header size", bitmapFile({.headerBytes = 66}), InvalidPicture},
        {"pixels past the end", bitmapFile({.pixelsAt = 1000}), InvalidPicture},
        {"icon: offset past the end", iconFile({icon}, 1 << 20), InvalidPicture},
        {"icon: no entries", iconFile({}), InvalidPicture},
        {"jpeg cut inside its header", red.left(red.indexOf("\xFF\xC4") + 10), InvalidPicture},
        {"jpeg cut before its first scan", red.left(red.indexOf("\xFF\xDA")), InvalidPicture},
        {"jpeg with an unknown marker in its header", QByteArray(red).insert(2, "\xFF\x20"), InvalidPicture},
        {"gif without an image", gifFile({2, 1}, {}), InvalidPicture},
        // Its screen and its image are both of no width: no pixel to show.
        {"gif of no width", file("pillow/zero_width.gif"), InvalidPicture},
    };
    for (const auto &c : cases)
        EXPECT_EQ(errorOf(c.bytes), c.number) << c.name;
}

TEST(RasterDecoder, ASmallFileDeclaringAHugePictureTakesNoMemoryItCannotFill)
{
    // 70 KB of rows for a 16000 × 16000 bitmap: under the expansion limit,
    // so it is decoded, but the pixels it never fills must stay untouched.
    QByteArray bmp = encoded("BMP").left(54).replace(18, 8, QByteArray::fromHex("803e0000803e0000"));
    bmp += QByteArray(70000, '\x40');
    const qint64 before = residentBytes();
    const auto picture = platform::decodeRaster(bmp);
    ASSERT_EQ(picture->pixelSize(), QSize(16000, 16000));
#ifndef LUMARIN_SANITIZED
    EXPECT_LT(residentBytes() - before, qint64(256) << 20);
#endif
}

TEST(JpegDecoder, EqualsQtsReaderOnEveryJpegOfTheTestData)
{
    int compared = 0;
    QDirIterator files(testDataPath({}), {"*.jpg", "*.jpeg"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        SCOPED_TRACE(path.toStdString());
        const QImage expected = qtRead(path);
        try {
            QImage decoded = platform::decodeJpeg(file(path));
            if (expected.isNull())
                continue;
            ++compared;
            decoded.setColorSpace(expected.colorSpace()); // the pixels, not their tag
            EXPECT_TRUE(decoded == expected);
        } catch (const platform::Error &error) {
            // What Qt refuses stays refused, cleanly.
            EXPECT_TRUE(expected.isNull()) << error.description.toStdString();
            EXPECT_EQ(error.number, InvalidPicture);
        }
    }
    EXPECT_GT(compared, 40);
}

TEST(JpegDecoder, AReducedDecodeLooksLikeASmoothReductionOfTheWhole)
{
    // A photo of 2000 × 1072 as it is, written progressive, in Adobe CMYK
    // and with the EXIF block (APP1) of a photo turned by its orientation.
    const QString photo = testDataPath("pillow/xmp_test.jpg");
    QTemporaryDir dir;
    QImageWriter progressive(dir.filePath("progressive.jpg"), "jpeg");
    progressive.setProgressiveScanWrite(true);
    progressive.write(qtRead(photo));
    QProcess::execute("convert", {photo, "-colorspace", "CMYK", dir.filePath("cmyk.jpg")});
    const QByteArray turned = file("pillow/hopper_orientation_6.jpg");
    const qsizetype exif = turned.indexOf("\xFF\xE1");
    const qsizetype exifBytes = 2 + (uchar(turned[exif + 2]) << 8) + uchar(turned[exif + 3]);
    QFile rotated(dir.filePath("rotated.jpg"));
    rotated.open(QIODevice::WriteOnly);
    rotated.write(file(photo).insert(2, turned.mid(exif, exifBytes)));
    rotated.close();

    for (const QString &name :
         {photo, dir.filePath("progressive.jpg"), dir.filePath("cmyk.jpg"), dir.filePath("rotated.jpg")}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = file(name);
        const QImage whole = platform::decodeJpeg(bytes);
        for (const int denominator : {2, 4, 8}) {
            const QSize cover = platform::jpegScaledSize(whole.size(), denominator);
            const QImage reduced = platform::decodeJpeg(bytes, cover);
            EXPECT_EQ(reduced.size(), cover);
            // As the fitted view draws it: smoothly scaled to a view no larger
            // than the reduced decode (that covers the largest screen).
            const QSize view = reduced.size() * 4 / 5;
            EXPECT_LE(meanChannelDifference(reduced.scaled(view, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                            whole.scaled(view, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
                      4.0)
                << "1/" << denominator;
        }
    }
}

TEST(JpegDecoder, ReducesAsFarAsTheResultStillCoversTheView)
{
    const struct
    {
        QSize full, cover;
        int denominator;
    } cases[] = {
        {{12000, 8000}, {1920, 1080}, 4}, // 3000 × 2000; 1/8 would be too short
        {{12000, 8000}, {1500, 1000}, 8},
        {{12001, 8001}, {1501, 1001}, 8}, // rounded up: 1501 × 1001
        {{4000, 3000}, {3000, 2000}, 1},
        {{4000, 3000}, {}, 1},            // no view: the whole picture
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::jpegDenominatorFor(c.full, c.cover), c.denominator)
            << c.full.width() << " × " << c.full.height();
}

TEST(JpegDecoder, StopsWhenAsked)
{
    // Between rows, and while a progressive file's scans are read in.
    const std::atomic_bool stop = true;
    for (const char *name : {"pillow/hopper.jpg", "pillow/app13-multiple.jpg"})
        EXPECT_TRUE(platform::decodeJpeg(file(name), {}, &stop).isNull()) << name;
}
