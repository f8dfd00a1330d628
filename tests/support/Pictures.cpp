// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/Pictures.h"

#include <QDir>

#include "platform/pictures/PictureFile.h"
#include "platform/pictures/RasterDecoder.h"
#include "platform/system/Error.h"
#include "support/TestWindow.h"

QByteArray le(std::initializer_list<qint64> values, int size)
{
    QByteArray bytes;
    for (const qint64 value : values)
        for (int i = 0; i < size; ++i)
            bytes += char(value >> (8 * i));
    return bytes;
}

QByteArray be(quint32 value, int size)
{
    QByteArray bytes = le({value}, size);
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

QByteArray exifTurningRight(quint16 type, int bytes, bool motorola)
{
    const auto f = [motorola](quint32 value, int size) { return motorola ? be(value, size) : le({value}, size); };
    const QByteArray exif = QByteArray("Exif\0\0", 6) + (motorola ? "MM" : "II") + f(42, 2) + f(8, 4) + f(1, 2)
        + f(0x0112, 2) + f(type, 2) + f(1, 4) + f(6, bytes).leftJustified(4, '\0') + f(0, 4);
    return "\xFF\xE1" + be(quint32(exif.size() + 2), 2) + exif;
}

QByteArray testFile(const QString &name)
{
    return platform::readPictureFile(QDir::isAbsolutePath(name) ? name : testDataPath(name));
}

QImage decoded(const QByteArray &bytes, QSize fitWithin)
{
    return platform::decodeRaster(bytes, fitWithin)->image().convertToFormat(QImage::Format_ARGB32);
}

int errorOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const platform::Error &error) {
        return error.number;
    }
    return 0;
}

int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 256;
    int worst = 0;
    for (int i = 0; i < a.width() * a.height(); ++i) {
        const QRgb p = a.pixel(i % a.width(), i / a.width()), q = b.pixel(i % a.width(), i / a.width());
        if (qAlpha(p) || qAlpha(q))
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
    return worst;
}

double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int i = 0; i < x.width() * x.height(); ++i) {
        const QRgb p = x.pixel(i % x.width(), i / x.width()), q = y.pixel(i % x.width(), i / x.width());
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / (3.0 * x.width() * x.height());
}
