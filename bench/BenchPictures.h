// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace bench {

// The benchmark's own pictures, made once in `folder` and reused.
struct BenchPictures
{
    explicit BenchPictures(const QString &folder);

    QString jpeg24;        // 6000 × 4000, photo-like
    QString jpeg96;        // 12000 × 8000, photo-like
    QString jpeg96Again;   // a copy of it under another name
    QString bmp12;         // 4000 × 3000, 24-bit
    QString bmp12Indexed;  // the same, 8-bit with a colour table
    QString bmp12Rgb32;    // the same, 32-bit with the fourth byte unused
    QString steppingFolder; // ten 24-megapixel JPEGs
    QString bigSteppingFolder; // two 96-megapixel JPEGs
    QString hugeFolder;    // 100,000 small picture files
    QString emptyFolder;
};

} // namespace bench
