// SPDX-License-Identifier: GPL-2.0-or-later
// Damaged and odd JPEG files are shown as libjpeg's own djpeg shows them.
#include <QImage>
#include <QTransform>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>
#include <jpeglib.h>

#include "platform/pictures/JpegWatch.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/Error.h"
#include "support/TestWindow.h"

namespace {

enum class Coding { Baseline, Progressive, Arithmetic };

// A photo written by libjpeg itself, as the coding asks.
QByteArray compressed(Coding coding)
{
    const QImage photo = QImage(testDataPath("pillow/hopper.jpg")).convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(photo.width());
    info.image_height = JDIMENSION(photo.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    if (coding == Coding::Progressive)
        jpeg_simple_progression(&info);
    info.arith_code = coding == Coding::Arithmetic;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto *row = const_cast<JSAMPROW>(photo.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

QImage decoded(const QByteArray &bytes)
{
    return platform::decodeRaster(bytes)->image();
}

// Where the coded data of the first scan starts.
qsizetype scanData(const QByteArray &jpeg)
{
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    return scan + 2 + qFromBigEndian<quint16>(jpeg.constData() + scan + 2);
}

// The file up to `fraction` of its first scan's data.
QByteArray cut(const QByteArray &jpeg, double fraction)
{
    return jpeg.left(scanData(jpeg) + qsizetype((jpeg.size() - scanData(jpeg)) * fraction));
}

// The rows from the top that are as in `whole`.
int rowsAsIn(const QImage &image, const QImage &whole)
{
    int y = 0;
    while (y < image.height() && std::memcmp(image.constScanLine(y), whole.constScanLine(y), image.width() * 4) == 0)
        ++y;
    return y;
}

// The rows at the bottom that libjpeg fills with grey where data is missing.
int greyRowsBelow(const QImage &image)
{
    int rows = 0;
    for (int y = image.height() - 1; y >= 0; --y, ++rows) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(128, 128, 128))
                return rows;
        }
    }
    return rows;
}

double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int i = 0; i < a.width() * a.height(); ++i) {
        const QRgb p = a.pixel(i % a.width(), i / a.width()), q = b.pixel(i % a.width(), i / a.width());
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / (3.0 * a.width() * a.height());
}

// `value` in `size` bytes, most significant first when `motorola`.
QByteArray field(quint32 value, int size, bool motorola)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[motorola ? size - 1 - i : i] = char(value >> (8 * i));
    return bytes;
}

// An EXIF segment whose one entry is the orientation 6 (turn right), of
// `type` (`bytes` bytes), in Motorola's byte order or Intel's.
QByteArray exifTurningRight(quint16 type, int bytes, bool motorola)
{
    const auto f = [motorola](quint32 value, int size) { return field(value, size, motorola); };
    const QByteArray exif = QByteArray("Exif\0\0", 6) + (motorola ? "MM" : "II") + f(42, 2) + f(8, 4) + f(1, 2)
        + f(0x0112, 2) + f(type, 2) + f(1, 4) + f(6, bytes).leftJustified(4, '\0') + f(0, 4);
    return "\xFF\xE1" + field(quint32(exif.size() + 2), 2, true) + exif;
}

constexpr int McuRows = 16; // libjpeg's default sampling halves the colour both ways

} // namespace

TEST(OddJpeg, ACutFileShowsItsRowsAndLibjpegsFillBelow)
{
    const QByteArray baseline = compressed(Coding::Baseline), arithmetic = compressed(Coding::Arithmetic);
    const struct
    {
        const char *name;
        QByteArray bytes, whole;
        bool greyBelow; // the fill of a Huffman-coded scan; arithmetic decoding goes on with zeros
    } cases[] = {
        {"without its end marker", baseline.chopped(2), baseline, true},
        {"at 90 % of its scan", cut(baseline, 0.9), baseline, true},
        {"at 50 % of its scan", cut(baseline, 0.5), baseline, true},
        {"arithmetic-coded, without its end marker", arithmetic.chopped(2), arithmetic, false},
        {"arithmetic-coded, at 50 % of its scan", cut(arithmetic, 0.5), arithmetic, false},
        {"right after its scan header", cut(baseline, 0), baseline, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage whole = decoded(c.whole), image = decoded(c.bytes);
        ASSERT_EQ(image.size(), whole.size());
        const int kept = rowsAsIn(image, whole);
        if (c.bytes.size() + 2 == c.whole.size()) {
            EXPECT_EQ(kept, whole.height());
            continue;
        }
        EXPECT_LT(kept, whole.height());
        if (c.greyBelow) // one row of blocks between, and a row either side its colour is smoothed into
            EXPECT_GE(kept + greyRowsBelow(image), whole.height() - McuRows - 2);
        else
            EXPECT_GT(kept, 0);
    }
}

TEST(OddJpeg, AProgressiveFileCutAfterSomeScansShowsThemAtTheirCoarserQuality)
{
    const QByteArray whole = compressed(Coding::Progressive);
    const QImage intact = decoded(whole);
    QList<qsizetype> scans;
    for (qsizetype at = whole.indexOf("\xFF\xDA"); at >= 0; at = whole.indexOf("\xFF\xDA", at + 2))
        scans << at;
    ASSERT_GE(scans.size(), 6);
    QList<double> differences;
    for (qsizetype kept = 1; kept <= scans.size(); ++kept)
        differences << meanDifference(decoded(whole.left(kept < scans.size() ? scans[kept] : whole.size() - 2)), intact);
    // The first scan alone holds each block's average: far nearer the
    // picture than a grey fill.
    QImage grey(intact.size(), QImage::Format_RGB32);
    grey.fill(qRgb(128, 128, 128));
    EXPECT_LT(differences.first(), meanDifference(grey, intact) / 2);
    for (qsizetype i = 1; i < differences.size(); ++i)
        EXPECT_LT(differences[i], differences[i - 1]) << i + 1 << " scans";
    EXPECT_EQ(differences.last(), 0);
}

TEST(OddJpeg, DamageLibjpegDecodesPastIsShown)
{
    // libjpeg warns of these and goes on; the last is an error, but only
    // once every row is out.
    const QByteArray whole = compressed(Coding::Baseline);
    const qsizetype middle = (scanData(whole) + whole.size()) / 2;
    const qsizetype tables = whole.indexOf("\xFF\xDB");
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    const struct
    {
        const char *name;
        QByteArray bytes;
        bool rowsLost; // else the picture is whole
    } cases[] = {
        {"corrupt data in its scan", QByteArray(whole).replace(middle, 6, QByteArray("\xFF\x00\xFF\x00\xFF\x00", 6)),
         true},
        {"a marker amid its scan", QByteArray(whole).insert(middle, "\xFF\xD3"), true},
        {"a segment longer than its length says", QByteArray(whole).insert(2, QByteArray("\xFF\xFE\0\x04" "abcdef", 10)),
         false},
        {"stray bytes before a marker", QByteArray(whole).insert(tables, "\x01\x02\x03"), false},
        {"padding before its first marker", QByteArray(whole).insert(2, QByteArray(3, '\0')), false},
        {"a second scan after the last row", whole.chopped(2) + whole.mid(scan, scanData(whole) - scan) + "\xFF\xD9",
         false},
    };
    const QImage intact = decoded(whole);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = decoded(c.bytes);
        ASSERT_EQ(image.size(), intact.size());
        const int kept = rowsAsIn(image, intact);
        if (c.rowsLost)
            EXPECT_TRUE(kept > 0 && kept < intact.height()) << kept;
        else
            EXPECT_EQ(kept, intact.height());
    }
}

TEST(OddJpeg, ScansPastTheLimitAreNotRead)
{
    // Hundreds of empty scans before the real ones: the picture is what the
    // empty ones give, as if the real ones were not there.
    const QByteArray whole = compressed(Coding::Progressive);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    const QByteArray empty = whole.left(scan) + whole.mid(scan, scanData(whole) - scan).repeated(600);
    EXPECT_EQ(decoded(empty + whole.mid(scan)), decoded(empty + "\xFF\xD9"));
}

TEST(OddJpeg, FewerScansAreReadOfALargerPicture)
{
    const struct
    {
        QSize size;
        int scans;
    } cases[] = {
        {{128, 128}, 500},     // far more than any real file has
        {{6000, 4000}, 134},   // each scan a pass over 24 million pixels
        {{12000, 8000}, 33},
        {{20000, 20000}, 32},  // but never fewer than a real file may have
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::jpegScanLimit(c.size), c.scans) << c.size.width() << " × " << c.size.height();
}

TEST(OddJpeg, CoefficientsBeyondLibjpegsMemoryLimitAreRefused)
{
    // A progressive picture of 16000 × 12000, colour at full resolution:
    // its coefficients alone need 1.1 GB, though the picture is decoded
    // reduced to a small view.
    QByteArray bytes = compressed(Coding::Progressive);
    const qsizetype frame = bytes.indexOf("\xFF\xC2");
    bytes.replace(frame + 5, 4, QByteArray::fromHex("2ee03e80"));
    for (int component = 0; component < 3; ++component)
        bytes[frame + 11 + 3 * component] = '\x11';
    bytes.truncate(scanData(bytes));
    // Long enough not to be taken for a decompression bomb.
    const QByteArray comment = "\xFF\xFE" + field(65000, 2, true) + QByteArray(64998, '\0');
    bytes.insert(2, comment.repeated(2));
    try {
        platform::decodeRaster(bytes, {40, 30});
        ADD_FAILURE() << "decoded";
    } catch (const platform::Error &error) {
        EXPECT_EQ(error.number, platform::errc::OutOfMemory);
    }
}

TEST(OddJpeg, ReadsTheOrientationInAnyIntegerTypeAndByteOrder)
{
    const QByteArray plain = compressed(Coding::Baseline);
    const QImage turnedRight = decoded(plain).transformed(QTransform().rotate(90));
    const struct
    {
        const char *name;
        quint16 type;
        int bytes;
    } types[] = {{"BYTE", 1, 1}, {"SBYTE", 6, 1}, {"SHORT", 3, 2}, {"SSHORT", 8, 2}, {"LONG", 4, 4}, {"SLONG", 9, 4}};
    for (const auto &t : types) {
        for (const bool motorola : {false, true}) {
            SCOPED_TRACE(std::string(t.name) + (motorola ? " MM" : " II"));
            EXPECT_EQ(decoded(QByteArray(plain).insert(2, exifTurningRight(t.type, t.bytes, motorola))), turnedRight);
        }
    }
}
