// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>

#include <algorithm>

#include "platform/pictures/BitmapPixels.h"

namespace platform {

// Writes pixels one after another along the stored rows of a picture, as
// run-length and Huffman codes produce them: what falls past a row's end
// or below the last row is dropped, and the pixels set are counted.
class RunWriter
{
public:
    RunWriter(QImage &image, bool topDown) : image_(image), topDown_(topDown) { moveTo(0); }

    void put(QRgb colour)
    {
        if (x_ < image_.width()) {
            row_[x_++] = colour;
            ++set_;
        }
    }
    void skip(qint64 pixels) { x_ = int(std::min<qint64>(x_ + pixels, image_.width())); }
    void nextRow() { x_ = 0; moveTo(y_ + 1); }
    void down(int rows) { moveTo(y_ + rows); }

    int x() const { return x_; }
    // Whether every row has been passed.
    bool done() const { return y_ >= image_.height(); }
    bool complete() const { return set_ == qint64(image_.width()) * image_.height(); }

private:
    void moveTo(qint64 y)
    {
        y_ = int(std::min<qint64>(y, image_.height()));
        if (!done())
            row_ = pictureRow(image_, y_, topDown_);
        else
            x_ = image_.width(); // nothing more is written
    }

    QImage &image_;
    bool topDown_;
    int x_ = 0;
    int y_ = 0;
    QRgb *row_ = nullptr;
    qint64 set_ = 0;
};

} // namespace platform
