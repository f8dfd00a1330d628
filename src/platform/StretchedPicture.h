#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

#include "platform/Picture.h"

namespace platform {

// Paints a picture scaled to the widget, smoothly. Huge pictures are drawn
// from reduced copies (each half the size of the one before), made once per
// picture, so a repaint after a resize costs about the same for a
// 100-megapixel photo as for a small one.
class StretchedPicture : public QWidget
{
    Q_OBJECT

public:
    explicit StretchedPicture(QWidget *parent);

    void setPicture(PicturePtr picture);

    // The copy to draw from for a target of this size: the smallest one
    // that is still at least as large in both directions.
    const QImage &sourceFor(QSize target);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PicturePtr picture_;
    std::vector<QImage> reduced_;
};

} // namespace platform
