// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/JpegDecoder.h"
#include "support/TestWindow.h"

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Qt's own reader, orientation applied: what the viewer showed before it
// decoded JPEGs itself.
QImage qtRead(const QString &path)
{
    QImageReader reader(path, "jpeg");
    reader.setAutoTransform(true);
    return reader.read();
}

struct Difference
{
    int largest = 0;   // of one channel, over all pixels
    double mean = 0;   // per channel
};

Difference differenceOf(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    Difference difference;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            for (const int channel : {std::abs(qRed(p[col]) - qRed(q[col])),
                                      std::abs(qGreen(p[col]) - qGreen(q[col])),
                                      std::abs(qBlue(p[col]) - qBlue(q[col]))}) {
                difference.largest = std::max(difference.largest, channel);
                sum += channel;
            }
        }
    }
    difference.mean = sum / (3.0 * x.width() * x.height());
    return difference;
}

// Writes `photo` with the EXIF block (APP1) of `withOrientation` after its
// start marker.
void writeWithOrientation(const QByteArray &photo, const QByteArray &withOrientation,
                          const QString &path)
{
    const qsizetype at = withOrientation.indexOf("\xFF\xE1");
    const int length = (uchar(withOrientation[at + 2]) << 8) | uchar(withOrientation[at + 3]);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(photo.left(2) + withOrientation.mid(at, 2 + length) + photo.mid(2));
}

} // namespace

TEST(JpegDecoder, EqualsQtsReaderOnEveryJpegOfTheTestData)
{
    int compared = 0;
    QDirIterator files(testDataPath({}), {"*.jpg", "*.jpeg"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QImage expected = qtRead(path);
        const QByteArray bytes = contents(path);
        if (expected.isNull()) {
            // What Qt refuses stays refused, cleanly.
            try {
                platform::decodeJpeg(bytes);
            } catch (const platform::Error &error) {
                EXPECT_EQ(error.number, 481) << path.toStdString();
            }
            continue;
        }
        QImage decoded;
        try {
            decoded = platform::decodeJpeg(bytes);
        } catch (const platform::Error &error) {
            ADD_FAILURE() << path.toStdString() << ": " << error.description.toStdString();
            continue;
        }
        ++compared;
        ASSERT_EQ(decoded.size(), expected.size()) << path.toStdString();
        EXPECT_EQ(decoded.format(), expected.format()) << path.toStdString();
        EXPECT_EQ(differenceOf(decoded, expected).largest, 0) << path.toStdString();
    }
    EXPECT_GT(compared, 40);
}

TEST(JpegDecoder, AReducedDecodeLooksLikeASmoothReductionOfTheWhole)
{
    // A photo of 2000 × 1072 as it is, written progressive, in Adobe CMYK
    // and with an EXIF orientation.
    const QString photo = testDataPath("pillow/xmp_test.jpg");
    QTemporaryDir dir;
    QImageWriter progressive(dir.filePath("progressive.jpg"), "jpeg");
    progressive.setProgressiveScanWrite(true);
    progressive.write(qtRead(photo));
    QProcess::execute("convert", {photo, "-colorspace", "CMYK", dir.filePath("cmyk.jpg")});
    QFile::copy(photo, dir.filePath("ordinary.jpg"));
    writeWithOrientation(contents(photo), contents(testDataPath("pillow/hopper_orientation_6.jpg")),
                         dir.filePath("rotated.jpg"));

    for (const char *name : {"ordinary.jpg", "progressive.jpg", "cmyk.jpg", "rotated.jpg"}) {
        const QByteArray bytes = contents(dir.filePath(name));
        ASSERT_FALSE(bytes.isEmpty()) << name;
        const QImage whole = platform::decodeJpeg(bytes);
        EXPECT_EQ(whole.size(), qtRead(dir.filePath(name)).size()) << name;
        for (const int denominator : {2, 4, 8}) {
            const QSize cover = platform::jpegScaledSize(whole.size(), denominator);
            const QImage reduced = platform::decodeJpeg(bytes, cover);
            EXPECT_EQ(reduced.size(), cover) << name;
            // As the fitted view draws it: smoothly scaled to a view no larger
            // than the reduced decode (that covers the largest screen).
            const QSize view = reduced.size() * 4 / 5;
            const QImage shown = reduced.scaled(view, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QImage smooth = whole.scaled(view, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            EXPECT_LE(differenceOf(shown, smooth).mean, 4.0) << name << " 1/" << denominator;
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
        {{800, 600}, {1920, 1080}, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::jpegDenominatorFor(c.full, c.cover), c.denominator)
            << c.full.width() << " × " << c.full.height();
}

TEST(JpegDecoder, StopsWhenAsked)
{
    const std::atomic_bool stop = true;
    EXPECT_TRUE(platform::decodeJpeg(contents(testDataPath("pillow/hopper.jpg")), {}, false, &stop).isNull());
}
