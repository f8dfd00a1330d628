// SPDX-License-Identifier: GPL-2.0-or-later
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/FilePictureLoader.h"
#include "platform/PictureFile.h"
#include "platform/RasterDecoder.h"
#include "support/ResidentMemory.h"
#include "support/TestWindow.h"

using platform::Picture;

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage sample()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(qRgb(200, 40, 40));
    return image;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            // Fully transparent pixels have no colour to compare.
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return worst;
}

QStringList filesIn(const QString &relative)
{
    QStringList files;
    QDirIterator it(testDataPath(relative), QDir::Files);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

TEST(RasterDecoder, DecidesTheKindFromTheContent)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        Picture::Kind kind;
    } cases[] = {
        {"bmp", encoded(sample(), "BMP"), Picture::Kind::Bitmap},
        {"jpeg", encoded(sample(), "JPEG"), Picture::Kind::Jpeg},
        {"ico", encoded(sample(), "ICO"), Picture::Kind::Icon},
        {"gif", QByteArray("GIF89a\x01\x00\x01\x00", 10), Picture::Kind::Gif},
        {"png is not read", encoded(sample(), "PNG"), Picture::Kind::Empty},
        {"text", "hello world", Picture::Kind::Empty},
        {"empty", QByteArray(), Picture::Kind::Empty},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::detectRasterKind(c.bytes), c.kind) << c.name;
}

TEST(RasterDecoder, ReadsEveryGoodBitmapLikeItsReference)
{
    const QStringList files = filesIn("bmpsuite/g");
    ASSERT_FALSE(files.isEmpty()) << "test data missing";
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        platform::PicturePtr picture;
        try {
            picture = platform::decodeRaster(platform::readPictureFile(file));
        } catch (const platform::Error &error) {
            ADD_FAILURE() << error.description.toStdString();
            continue;
        }
        const QString reference = testDataPath("bmpsuite/reference/" + QFileInfo(file).baseName() + ".png");
        if (!QFile::exists(reference))
            continue;
        const QImage expected(reference);
        ASSERT_EQ(picture->pixelSize(), expected.size());
        EXPECT_LE(largestChannelDifference(picture->image(), expected), 8);
    }
}

TEST(RasterDecoder, ReadsIconsCursorsHeaderlessDibsAndGifs)
{
    for (const char *name : {"pillow/python.ico", "pillow/deerstalker.cur", "pillow/clipboard.dib",
                             "pillow/transparent.gif", "pillow/hopper_256x256.ico"}) {
        SCOPED_TRACE(name);
        EXPECT_NO_THROW({
            const auto picture = platform::decodeRaster(platform::readPictureFile(testDataPath(name)));
            EXPECT_FALSE(picture->image().isNull());
        });
    }
}

TEST(RasterDecoder, RefusesDecompressionBombsAndRowsItCannotRead)
{
    // Headers that declare pictures far beyond memory, followed by almost
    // nothing: the refusal must come from the declared size.
    QByteArray jpeg = encoded(sample(), "JPEG");
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    jpeg.replace(sof + 5, 4, QByteArray::fromHex("ffdcffdc")); // 65500 × 65500

    QByteArray gif("GIF89a\xff\xff\xff\xff\x00\x00\x00", 13);
    gif += QByteArray(32, '\0');

    QByteArray bmp = encoded(sample(), "BMP");
    bmp.replace(18, 8, QByteArray::fromHex("60ea000060ea0000")); // 60000 × 60000

    // Found by the fuzzer: 27 bytes whose first frame lies beyond an empty
    // logical screen, making a 22529 × 11264 picture.
    const QByteArray frameBeyondScreen = platform::readPictureFile(
        QStringLiteral(LUMARIN_OWN_TESTDATA_DIR "/fuzz-findings/gif-frame-beyond-empty-screen.gif"));

    // A paletted bitmap cut off inside its colour table: its size and
    // format read fine, its pixels not at all. Whatever the pixel buffer
    // holds must not be shown.
    const QByteArray cutOff =
        encoded(sample().convertToFormat(QImage::Format_Indexed8), "BMP").left(14 + 40 + 2);

    const struct
    {
        const char *name;
        QByteArray bytes;
        int number;
    } bombs[] = {
        {"jpeg", jpeg, platform::errc::OutOfMemory},
        {"gif", gif, platform::errc::OutOfMemory},
        {"bmp", bmp, platform::errc::OutOfMemory},
        {"gif frame beyond its screen", frameBeyondScreen, platform::errc::InvalidPicture},
        // Found by the fuzzer: sides whose product overflowed the size check.
        {"bitmap of 2^31 × 2^31", platform::readPictureFile(QStringLiteral(
             LUMARIN_OWN_TESTDATA_DIR "/fuzz-findings/bmp-dimensions-overflow.bmp")),
         platform::errc::OutOfMemory},
        {"bitmap cut off in its colour table", cutOff, platform::errc::InvalidPicture},
    };
    for (const auto &bomb : bombs) {
        try {
            platform::decodeRaster(bomb.bytes);
            ADD_FAILURE() << bomb.name << " was decoded";
        } catch (const platform::Error &error) {
            EXPECT_EQ(error.number, bomb.number) << bomb.name;
        }
    }
}

TEST(RasterDecoder, TurnsPhotosAsTheirOrientationTagSays)
{
    for (int orientation = 2; orientation <= 8; ++orientation) {
        const QString file = testDataPath(QStringLiteral("pillow/hopper_orientation_%1.jpg").arg(orientation));
        SCOPED_TRACE(file.toStdString());
        const QImage shown = platform::decodeRaster(platform::readPictureFile(file))->image();
        QImageReader turned(file);
        turned.setAutoTransform(true);
        QImageReader asStored(file);
        asStored.setAutoTransform(false);
        const QImage stored = asStored.read();
        const QImage expected = turned.read();
        ASSERT_NE(stored, expected) << "the tag turns nothing";
        EXPECT_EQ(shown.convertToFormat(expected.format()), expected);
    }
}

TEST(RasterDecoder, ASmallFileDeclaringAHugePictureTakesNoMemoryItCannotFill)
{
    // 70 KB of rows for a 16000 × 16000 bitmap: under the expansion limit,
    // so it is decoded, but the pixels it never fills must stay untouched.
    QByteArray bmp = encoded(sample(), "BMP").left(54);
    bmp.replace(18, 8, QByteArray::fromHex("803e0000803e0000"));
    bmp += QByteArray(70000, '\x40');
    const qint64 before = residentBytes();
    const auto picture = platform::decodeRaster(bmp);
    ASSERT_EQ(picture->pixelSize(), QSize(16000, 16000));
#ifndef LUMARIN_SANITIZED
    EXPECT_LT(residentBytes() - before, qint64(256) << 20);
#endif
}
