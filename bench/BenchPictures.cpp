// SPDX-License-Identifier: GPL-2.0-or-later
#include "BenchPictures.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextStream>

#include <cmath>

namespace bench {

namespace {

// Smooth colour fields with fine noise, so the JPEG holds what a photo
// holds: large areas and detail.
QImage photoLike(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator noise(42);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double v = double(y) / height;
            const int n = int(noise.bounded(24)) - 12;
            const int r = int(128 + 100 * std::sin(6.0 * u + 2.0 * v)) + n;
            const int g = int(128 + 90 * std::cos(5.0 * v - 3.0 * u)) + n;
            const int b = int(110 + 80 * std::sin(9.0 * u * v)) + n;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

void make(const QString &path, int width, int height, const char *format)
{
    if (QFile::exists(path))
        return;
    QTextStream(stdout) << "making " << path << "\n";
    photoLike(width, height).save(path, format, 90);
}

void put(QByteArray &bytes, qsizetype at, quint32 value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

// Qt writes 8-bit bitmaps of paletted pictures with many colours, but
// 24-bit ones of 32-bit pictures: those are written here, rows bottom-up
// after a Windows 3 header.
void makeBitmap(const QString &path, int width, int height, int bits)
{
    if (QFile::exists(path))
        return;
    QTextStream(stdout) << "making " << path << "\n";
    const QImage image = photoLike(width, height);
    if (bits == 8) {
        image.convertToFormat(QImage::Format_Indexed8).save(path, "BMP");
        return;
    }
    const qsizetype rowBytes = qsizetype(width) * 4;
    QByteArray bytes(54 + rowBytes * height, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(bytes, 2, quint32(bytes.size()));
    put(bytes, 10, 54);
    put(bytes, 14, 40);
    put(bytes, 18, width);
    put(bytes, 22, height);
    put(bytes, 26, 1, 2);
    put(bytes, 28, 32, 2);
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(height - 1 - y));
        for (int x = 0; x < width; ++x)
            put(bytes, 54 + rowBytes * y + 4 * x, row[x] & 0xffffff);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        QTextStream(stderr) << "cannot write " << path << "\n";
}

} // namespace

BenchPictures::BenchPictures(const QString &folder)
{
    QDir root(QDir(folder).absolutePath());
    root.mkpath(".");
    jpeg24 = root.filePath("photo24.jpg");
    jpeg96 = root.filePath("photo96.jpg");
    bmp12 = root.filePath("bitmap12.bmp");
    make(jpeg24, 6000, 4000, "JPEG");
    make(jpeg96, 12000, 8000, "JPEG");
    make(bmp12, 4000, 3000, "BMP");
    bmp12Indexed = root.filePath("bitmap12-8.bmp");
    bmp12Rgb32 = root.filePath("bitmap12-32.bmp");
    makeBitmap(bmp12Indexed, 4000, 3000, 8);
    makeBitmap(bmp12Rgb32, 4000, 3000, 32);

    jpeg96Again = root.filePath("photo96-again.jpg");
    if (!QFile::exists(jpeg96Again))
        QFile::copy(jpeg96, jpeg96Again);

    steppingFolder = root.filePath("stepping");
    root.mkpath("stepping");
    for (int i = 0; i < 10; ++i) {
        const QString copy = QDir(steppingFolder).filePath(QStringLiteral("step%1.jpg").arg(i));
        if (!QFile::exists(copy))
            QFile::copy(jpeg24, copy);
    }

    bigSteppingFolder = root.filePath("stepping96");
    root.mkpath("stepping96");
    for (int i = 0; i < 2; ++i) {
        const QString copy = QDir(bigSteppingFolder).filePath(QStringLiteral("big%1.jpg").arg(i));
        if (!QFile::exists(copy))
            QFile::copy(jpeg96, copy);
    }

    hugeFolder = root.filePath("huge");
    emptyFolder = root.filePath("empty");
    root.mkpath("empty");
    if (!root.exists("huge")) {
        root.mkpath("huge.tmp");
        QTextStream(stdout) << "making 100,000 files\n";
        for (int i = 0; i < 100000; ++i) {
            QFile file(root.filePath(QStringLiteral("huge.tmp/img%1.jpg").arg(i)));
            file.open(QIODevice::WriteOnly);
        }
        root.rename("huge.tmp", "huge");
    }
}

} // namespace bench
