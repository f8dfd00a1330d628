// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>
#include <optional>

class QPainter;
class QSvgRenderer;

namespace platform {

// One loaded picture, shared by the holder, the views and the Save command
// and never changed after loading, so no pixels are ever copied between them.
class Picture
{
public:
    enum class Kind { Empty, Bitmap, Icon, Jpeg, Gif, Metafile };

    // The empty picture: what loading the empty path gives.
    Picture() = default;
    Picture(Kind kind, QImage image, QByteArray original);
    // The same raster picture with a reduced copy for the fitted view, made
    // ahead of showing it (the pixels and bytes are shared, not copied).
    Picture(const Picture &raster, QImage reducedCopy);
    // A vector picture: its SVG drawing and its own size in twips, or, for
    // a drawing that does not say, `twipsPerUnit` twips per unit of the
    // drawing's own size.
    Picture(QByteArray svg, std::optional<QSizeF> twips, double twipsPerUnit, QByteArray original);
    ~Picture();

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }

    bool isVector() const { return kind_ == Kind::Metafile; }
    // Whether a vector picture's drawing could be read.
    bool hasDrawing() const;

    // Decoded pixels (for raster kinds).
    const QImage &image() const { return image_; }
    // A reduced copy made ahead for the fitted view; null when none was.
    const QImage &reducedCopy() const { return reduced_; }
    // The drawing (for vector kinds).
    const QByteArray &svg() const { return svg_; }
    // The size in pixels at which the picture is shown at its own size.
    QSize pixelSize() const;
    // The size a picture box takes when it holds this picture.
    QSizeF twipsSize() const;

    // The file's bytes exactly as they were read; saving writes these.
    const QByteArray &originalBytes() const { return original_; }

    // Draws the part `source` of the picture (in picture pixels) into
    // `target` of the painter. Vector pictures are drawn at the target's
    // resolution, so they stay sharp at any size.
    void draw(QPainter &painter, const QRectF &target, const QRectF &source) const;

private:
    Kind kind_ = Kind::Empty;
    QImage image_;
    QImage reduced_;
    QByteArray svg_;
    QSizeF twips_;
    QByteArray original_;
    std::unique_ptr<QSvgRenderer> renderer_;
};

using PicturePtr = std::shared_ptr<const Picture>;

// A new empty picture.
PicturePtr emptyPicture();

} // namespace platform
