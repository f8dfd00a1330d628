#include "BenchPictures.h"

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

    steppingFolder = root.filePath("stepping");
    root.mkpath("stepping");
    for (int i = 0; i < 10; ++i) {
        const QString copy = QDir(steppingFolder).filePath(QStringLiteral("step%1.jpg").arg(i));
        if (!QFile::exists(copy))
            QFile::copy(jpeg24, copy);
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
