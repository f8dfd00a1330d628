#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>

class QPainter;

namespace platform {

// One loaded picture, shared by the holder, the views and the Save command
// and never changed after loading, so no pixels are ever copied between them.
class Picture
{
public:
    enum class Kind { Empty, Bitmap, Icon, Jpeg, Gif };

    // The empty picture: what loading the empty path gives.
    Picture() = default;
    Picture(Kind kind, QImage image, QByteArray original);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }

    // Decoded pixels (for every kind but Empty).
    const QImage &image() const { return image_; }
    QSize pixelSize() const { return image_.size(); }
    // The size a picture box takes when it holds this picture.
    QSizeF twipsSize() const;

    // The file's bytes exactly as they were read; saving writes these.
    const QByteArray &originalBytes() const { return original_; }

    // Draws the part `source` of the picture (in picture pixels) into
    // `target` of the painter.
    void draw(QPainter &painter, const QRectF &target, const QRectF &source) const;

private:
    Kind kind_ = Kind::Empty;
    QImage image_;
    QByteArray original_;
};

using PicturePtr = std::shared_ptr<const Picture>;

// A new empty picture.
PicturePtr emptyPicture();

} // namespace platform
