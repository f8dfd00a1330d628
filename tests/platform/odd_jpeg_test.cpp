// SPDX-License-Identifier: GPL-2.0-or-later
// Damaged and odd JPEG files are shown as libjpeg's own djpeg shows them.
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
#include "support/Pictures.h"

namespace {

enum class Coding { Baseline, Progressive, Arithmetic };

// A photo written by libjpeg itself, as the coding asks.
QByteArray compressed(Coding coding)
{
    const QImage photo = QImage::fromData(testFile("pillow/hopper.jpg")).convertToFormat(QImage::Format_RGB888);
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
    for (int y = image.height() - 1; y >= 0; --y, ++rows)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(128, 128, 128))
                return rows;
    return rows;
}

constexpr int McuRows = 16; // libjpeg's default sampling halves the colour both ways

} // namespace

TEST(OddJpeg, ACutOrDamagedFileShowsWhatLibjpegDecodesOfIt)
{
    // libjpeg warns of the damage and goes on; the last is an error, but
    // only once every row is out. The arithmetic coding holds the same
    // picture as the Huffman coding.
    const QByteArray baseline = compressed(Coding::Baseline), arithmetic = compressed(Coding::Arithmetic);
    const qsizetype middle = (scanData(baseline) + baseline.size()) / 2, scan = baseline.indexOf("\xFF\xDA");
    // All rows as in the whole; the first rows only; the first, then the
    // grey fill of a Huffman-coded scan (arithmetic decoding goes on with zeros).
    enum Shown { All, Rows, RowsThenGrey };
    const struct { const char *name; QByteArray bytes; Shown shown; } cases[] = {
        {"without its end marker", baseline.chopped(2), All},
        {"arithmetic-coded, without its end marker", arithmetic.chopped(2), All},
        {"at 90 % of its scan", cut(baseline, 0.9), RowsThenGrey}, {"at 50 %", cut(baseline, 0.5), RowsThenGrey},
        {"right after its scan header", cut(baseline, 0), RowsThenGrey},
        {"arithmetic-coded, at 50 % of its scan", cut(arithmetic, 0.5), Rows},
        {"corrupt data in its scan", QByteArray(baseline).replace(middle, 6, QByteArray("\xFF\0\xFF\0\xFF\0", 6)), Rows},
        {"a marker amid its scan", QByteArray(baseline).insert(middle, "\xFF\xD3"), Rows},
        {"a segment longer than it says", QByteArray(baseline).insert(2, QByteArray("\xFF\xFE\0\x04" "abcdef", 10)), All},
        {"padding before its first marker", QByteArray(baseline).insert(2, QByteArray(3, '\0')), All},
        {"a scan after the last row", baseline.chopped(2) + baseline.mid(scan, scanData(baseline) - scan) + "\xFF\xD9", All},
    };
    const QImage whole = decoded(baseline);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = decoded(c.bytes);
        ASSERT_EQ(image.size(), whole.size());
        const int kept = rowsAsIn(image, whole);
        EXPECT_EQ(kept == whole.height(), c.shown == All) << kept;
        EXPECT_TRUE(c.shown != Rows || kept > 0);
        if (c.shown == RowsThenGrey) { // one row of blocks between, and a row either side its colour is smoothed into
            EXPECT_GE(kept + greyRowsBelow(image), whole.height() - McuRows - 2);
        }
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

TEST(OddJpeg, ScansPastTheLimitAreNotRead)
{
    // Hundreds of empty scans before the real ones: the picture is what the
    // empty ones give, as if the real ones were not there.
    const QByteArray whole = compressed(Coding::Progressive);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    const QByteArray empty = whole.left(scan) + whole.mid(scan, scanData(whole) - scan).repeated(600);
    EXPECT_EQ(decoded(empty + whole.mid(scan)), decoded(empty + "\xFF\xD9"));
    // The limit: fewer scans of a larger picture.
    EXPECT_EQ(platform::jpegScanLimit({128, 128}), 500);    // far more than any real file has
    EXPECT_EQ(platform::jpegScanLimit({6000, 4000}), 134);  // each scan a pass over 24 million pixels
    EXPECT_EQ(platform::jpegScanLimit({20000, 20000}), 32); // but never fewer than a real file may have
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
    bytes.insert(2, ("\xFF\xFE" + be(65000, 2) + QByteArray(64998, '\0')).repeated(2));
    EXPECT_EQ(errorOf([&] { platform::decodeRaster(bytes, {40, 30}); }), platform::errc::OutOfMemory);
}

TEST(OddJpeg, ReadsTheOrientationInAnyIntegerTypeAndByteOrder)
{
    const QByteArray plain = compressed(Coding::Baseline);
    const QImage turnedRight = decoded(plain).transformed(QTransform().rotate(90));
    const struct { const char *name; quint16 type; int bytes; } types[] = {
        {"BYTE", 1, 1}, {"SBYTE", 6, 1}, {"SHORT", 3, 2}, {"SSHORT", 8, 2}, {"LONG", 4, 4}, {"SLONG", 9, 4}};
    for (const auto &t : types)
        for (const bool motorola : {false, true}) {
            SCOPED_TRACE(std::string(t.name) + (motorola ? " MM" : " II"));
            EXPECT_EQ(decoded(QByteArray(plain).insert(2, exifTurningRight(t.type, t.bytes, motorola))), turnedRight);
        }
}
