#include <QBuffer>
#include <QDirIterator>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

#include "platform/PictureFile.h"
#include "platform/PlainBitmap.h"
#include "support/TestWindow.h"

namespace {

// What Qt's own bitmap reader makes of the same bytes: the direct path must
// agree with it wherever it takes a file.
QImage readByQt(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "bmp").read();
}

struct Layout
{
    int width = 5;
    int height = 3;      // negative: rows stored top-down
    int headerBytes = 40;
    int bits = 24;
    int compression = 0;
    int gap = 0;         // bytes between the headers and the rows
    int missing = 0;     // bytes cut from the end
};

void put32(QByteArray &bytes, qsizetype at, qint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void put16(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// A bitmap file whose every pixel differs in all three channels, so a row
// read upside down, a swapped channel or a misplaced padding byte shows.
QByteArray bitmapFile(const Layout &layout)
{
    const int rows = qAbs(layout.height);
    const int stride = (layout.width * layout.bits / 8 + 3) & ~3;
    const int pixelsAt = 14 + layout.headerBytes + layout.gap;
    QByteArray bytes(pixelsAt + stride * rows, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, qint32(bytes.size()));
    put32(bytes, 10, pixelsAt);
    put32(bytes, 14, layout.headerBytes);
    put32(bytes, 18, layout.width);
    put32(bytes, 22, layout.height);
    put16(bytes, 26, 1);
    put16(bytes, 28, quint16(layout.bits));
    put32(bytes, 30, layout.compression);
    put32(bytes, 38, 2835);
    put32(bytes, 42, 2835);
    for (qsizetype i = pixelsAt; i < bytes.size(); ++i)
        bytes[i] = char(i * 37 + 11);
    bytes.chop(layout.missing);
    return bytes;
}

} // namespace

TEST(PlainBitmap, TakesPlainLayoutsAlikeWithTheGeneralDecoderAndLeavesTheRest)
{
    const struct
    {
        const char *name;
        Layout layout;
        bool taken;
    } cases[] = {
        {"bottom-up, padded rows", {5, 3}, true},
        {"top-down", {5, -3}, true},
        {"rows without padding", {4, 2}, true},
        {"one pixel", {1, 1}, true},
        {"three padding bytes", {1, 4}, true},
        {"version 4 header", {6, 3, 108}, true},
        {"version 5 header", {7, -2, 124}, true},
        {"gap before the rows", {3, 3, 40, 24, 0, 10}, true},
        {"32 bits", {5, 3, 40, 32}, false},
        {"8 bits", {5, 3, 40, 8}, false},
        {"compressed", {5, 3, 40, 24, 1}, false},
        {"core header", {5, 3, 12}, false},
        {"rows cut short", {5, 3, 40, 24, 0, 0, 1}, false},
        {"no width", {0, 3}, false},
        {"no height", {5, 0}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = bitmapFile(c.layout);
        const QImage direct = platform::decodePlainBitmap(bytes);
        if (!c.taken) {
            EXPECT_TRUE(direct.isNull());
            continue;
        }
        const QImage expected = readByQt(bytes);
        ASSERT_FALSE(direct.isNull());
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(direct.format(), expected.format());
        EXPECT_EQ(direct, expected);
    }

    QByteArray rowsInsideHeader = bitmapFile({});
    put32(rowsInsideHeader, 10, 30);
    EXPECT_TRUE(platform::decodePlainBitmap(rowsInsideHeader).isNull());
}

TEST(PlainBitmap, AgreesWithTheGeneralDecoderOnRealFiles)
{
    int taken = 0;
    QDirIterator it(testDataPath("bmpsuite"), {"*.bmp"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QByteArray bytes = platform::readPictureFile(file);
        const QImage direct = platform::decodePlainBitmap(bytes);
        if (direct.isNull())
            continue;
        ++taken;
        EXPECT_EQ(direct, readByQt(bytes)) << file.toStdString();
    }
    EXPECT_GT(taken, 0) << "no 24-bit bitmap among the test files";
}
