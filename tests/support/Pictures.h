// SPDX-License-Identifier: GPL-2.0-or-later
// What the picture tests share: bytes written field by field, shared test
// data, decodes and how far two pictures are apart.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <initializer_list>

// Each of `values` in `size` bytes, least significant first (negative
// ones in two's complement).
QByteArray le(std::initializer_list<qint64> values, int size = 4);
// `value` in `size` bytes, most significant first.
QByteArray be(quint32 value, int size);

// A JPEG's EXIF segment whose one entry is the orientation 6 (turn right),
// of `type` (`bytes` bytes), in Motorola's byte order or Intel's.
QByteArray exifTurningRight(quint16 type = 3, int bytes = 2, bool motorola = true);

// A file of the shared test data, or any file by its full path.
QByteArray testFile(const QString &name);

// A raster picture as the viewer decodes it, in 32-bit ARGB.
QImage decoded(const QByteArray &bytes, QSize fitWithin = {});

// The number of the error `operation` raises; 0 when it raises none.
int errorOf(const std::function<void()> &operation);

// The largest difference of any channel, alpha included, at one place, as
// QImage::pixel gives them (premultiplied in a premultiplied format);
// pixels transparent in both have no colour to compare. Pictures of
// different sizes differ by 256.
int largestDifference(const QImage &a, const QImage &b);

// The mean difference of the colour channels, over the whole picture.
double meanDifference(const QImage &a, const QImage &b);
